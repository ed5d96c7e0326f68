// Traces of file-sharing clients, messengers, download managers, players, editors and a
// browser. Each member is a script of removal steps.
#include "Silently.h"
#include "TraceScript.h"

using namespace steps;

namespace {

const TraceStep kiMesh[] = {
    Value(Root::CurrentUser, "SOFTWARE\\iMesh\\Client\\Local", "SearchEditHistory"),
    Value(Root::CurrentUser, "SOFTWARE\\iMesh\\Client\\Local", "SearchEditHistorySize"),
    Folder(Base::ProgramFiles, "\\iMesh\\Client\\Partial"),
    Folder(Base::ProgramFiles, "\\iMesh\\Client\\PlayLists"),
    Folder(Base::ProgramFiles, "\\iMesh\\Client\\DB"),
    Files(Base::ProgramFiles, "\\iMesh\\Client\\DB", "*.dbb"),
};

const TraceStep kMorpheus[] = {
    Key(Root::CurrentUser, "Software\\Morpheus\\Morpheus", "Recent File List"),
    Key(Root::LocalMachine, "Software\\Morpheus", "SearchRecent"),
    Folder(Base::ProgramFiles, "\\Morpheus\\Db"),
    Folder(Base::ProgramFiles, "\\Morpheus\\My Shared Folder"),
    Folder(Base::ProgramFiles, "\\Streamcast\\Morpheus\\Db"),
    Folder(Base::ProgramFiles, "\\Streamcast\\Morpheus\\My Shared Folder"),
    Folder(Base::ProgramFiles, "\\StreamCast\\Morpheus\\Downloads"),
};

const TraceStep kKazaa[] = {
    Key(Root::CurrentUser, "Software\\Kazaa\\KaZaA Media Desktop", "Recent File List"),
    Key(Root::CurrentUser, "Software\\Kazaa", "Search"),
    Key(Root::CurrentUser, "Software\\Kazaa\\KaZaA Lite", "Recent File List"),
    Folder(Base::ProgramFiles, "\\KaZaA\\Db"),
    Files(Base::ProgramFiles, "\\KaZaA\\My Shared Folder", "*.dat"),
    Folder(Base::ProgramFiles, "\\KaZaA Lite\\Db"),
    Files(Base::ProgramFiles, "\\KaZaA Lite\\My Shared Folder", "*.dat"),
};

const TraceStep kBearShare[] = {
    Folder(Base::ProgramFiles, "\\BearShare\\db"),
};

const TraceStep kDreamWeaver[] = {
    Key(Root::CurrentUser, "Software\\Macromedia\\Dreamweaver 4", "Recent File List"),
    Key(Root::CurrentUser, "Software\\Macromedia\\Dreamweaver 4", "Temp File List"),
    Key(Root::CurrentUser, "Software\\Macromedia\\Dreamweaver 6", "Recent File List"),
    Key(Root::CurrentUser, "Software\\Macromedia\\Dreamweaver MX 2004", "Recent File List"),
};

const TraceStep kAOLMessenger[] = {
    Files(Base::ProgramFiles, "\\AIM", "*.dat"),
    Files(Base::ProgramFiles, "\\AIM", "*.tmp"),
};

const TraceStep kAOL[] = {
    Folder(Base::WindowsDrive, "\\America Online 6.0\\AOLTEMP"),
    Files(Base::WindowsDrive, "\\America Online 6.0\\download", "*.log"),
    Folder(Base::WindowsDrive, "\\America Online 7.0\\AOLTEMP"),
    Files(Base::WindowsDrive, "\\America Online 7.0\\download", "*.log"),
};

const TraceStep kDAP[] = {
    Value(Root::CurrentUser, "Software\\SpeedBit\\Download Accelerator\\HistoryCombo",
          "URLHistory"),
    Key(Root::LocalMachine, "SOFTWARE\\SpeedBit\\Download Accelerator", "FileList"),
    Key(Root::LocalMachine, "Software\\SpeedBit\\Download Accelerator\\ADS", "SecondMedia"),
    Key(Root::CurrentUser, "Software\\SpeedBit\\DownloadAccelerator", "HistoryCombo"),
    Folder(Base::ProgramFiles, "\\DAP\\Ads"),
    Folder(Base::ProgramFiles, "\\DAP\\Temp"),
};

// The key stays in the file with an empty value: an empty text, not a null one.
const TraceStep kWINAMP[] = {
    Files(Base::ProgramFiles, "\\winamp", "*.m3u"),
    Profile(Base::ProgramFiles, "\\winamp\\winamp.ini", "winamp", "cwd", ""),
};

const TraceStep kNetMeeting[] = {
    Key(Root::LocalMachine, "Software\\Microsoft\\Conferencing\\UI", "CallMRU"),
    File(Base::ProgramFiles, "\\NetMeeting", "CallLog.dat"),
    Folder(Base::ProgramFiles, "\\NetMeeting\\Received Files"),
};

const TraceStep kPSP[] = {
    Key(Root::LocalMachine, "Software\\Jasc\\Paint Shop Pro 7", "Recent File List"),
    Key(Root::LocalMachine, "Software\\Jasc\\Paint Shop Pro 8", "Recent File List"),
};

const TraceStep kYahoo[] = {
    File(Base::ProgramFiles, "\\Yahoo!\\Messenger", "ypager.log"),
    Folder(Base::ProgramFiles, "\\Yahoo!\\Messenger\\IMVCache"),
    Folder(Base::ProgramFiles, "\\Yahoo!\\Messenger\\Profiles"),
};

// The files lie directly in the root of the Windows drive and directly in Program Files. When
// the Windows folder is unknown nothing is removed, not even in Program Files.
const TraceStep kNapster[] = {
    Require(Base::WindowsDrive),
    File(Base::WindowsDrive, "", "shared.dat"),
    File(Base::WindowsDrive, "", "notify.dat"),
    File(Base::WindowsDrive, "", "channels.dat"),
    File(Base::ProgramFiles, "", "shared.dat"),
    File(Base::ProgramFiles, "", "notify.dat"),
    File(Base::ProgramFiles, "", "channels.dat"),
};

const TraceStep kTrillian[] = {
    Folder(Base::ProgramFiles, "\\Trillian\\users\\default\\cache"),
    Folder(Base::ProgramFiles, "\\Trillian\\users\\default\\cache\\msn"),
    Folder(Base::ProgramFiles, "\\Trillian\\users\\default\\logs"),
    Folder(Base::ProgramFiles, "\\Trillian\\users\\default\\logs\\msn"),
};

const TraceStep kDivX[] = {
    Value(Root::CurrentUser, "Software\\DivXNetworks\\DivX Player", "file"),
    Value(Root::CurrentUser, "Software\\DivXNetworks\\DivX Player", "file1"),
    Value(Root::CurrentUser, "Software\\DivXNetworks\\DivX Player", "file2"),
    Value(Root::CurrentUser, "Software\\DivXNetworks\\DivX Player", "file3"),
    Value(Root::CurrentUser, "Software\\DivXNetworks\\DivX Player", "file4"),
    Files(Base::ProgramFiles, "\\DivX", "*.dbf"),
};

const TraceStep kMediaJukeBox[] = {
    Files(Base::ProgramFiles, "\\J River\\Media JukeBox\\Data", "*.jmd"),
};

const TraceStep kOpera[] = {
    File(Base::AppData, "\\Opera\\Opera\\profile\\sessions", "autosave.win"),
    Folder(Base::AppData, "\\Opera\\Opera\\profile\\cache4"),
    Folder(Base::AppData, "\\Opera\\Opera\\profile\\images"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "cookies4.dat"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "download.dat"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "global.dat"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "jswarn.dir"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "opera6.adr"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "opera6.ini"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "opera.dir"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "urlwarn.dir"),
    File(Base::AppData, "\\Opera\\Opera\\profile", "vlink4.dat"),
};

} // namespace

void CVxMain::DeliMesh() {
    Silently([&] { TraceScript::Run(*this, kiMesh); });
}

void CVxMain::DelMorpheus() {
    Silently([&] { TraceScript::Run(*this, kMorpheus); });
}

void CVxMain::DelKazaa() {
    Silently([&] { TraceScript::Run(*this, kKazaa); });
}

void CVxMain::DelBearShare() {
    Silently([&] { TraceScript::Run(*this, kBearShare); });
}

void CVxMain::DelDreamWeaver() {
    Silently([&] { TraceScript::Run(*this, kDreamWeaver); });
}

void CVxMain::DelAOLMessenger() {
    Silently([&] { TraceScript::Run(*this, kAOLMessenger); });
}

void CVxMain::DelAOL() {
    Silently([&] { TraceScript::Run(*this, kAOL); });
}

void CVxMain::DelDAP() {
    Silently([&] { TraceScript::Run(*this, kDAP); });
}

void CVxMain::DelWINAMP() {
    Silently([&] { TraceScript::Run(*this, kWINAMP); });
}

void CVxMain::DelNetMeeting() {
    Silently([&] { TraceScript::Run(*this, kNetMeeting); });
}

void CVxMain::DelPSP() {
    Silently([&] { TraceScript::Run(*this, kPSP); });
}

void CVxMain::DelYahoo() {
    Silently([&] { TraceScript::Run(*this, kYahoo); });
}

void CVxMain::DelNapster() {
    Silently([&] { TraceScript::Run(*this, kNapster); });
}

void CVxMain::DelTrillian() {
    Silently([&] { TraceScript::Run(*this, kTrillian); });
}

void CVxMain::DelDivX() {
    Silently([&] { TraceScript::Run(*this, kDivX); });
}

void CVxMain::DelMediaJukeBox() {
    Silently([&] { TraceScript::Run(*this, kMediaJukeBox); });
}

void CVxMain::DelOpera() {
    Silently([&] { TraceScript::Run(*this, kOpera); });
}
