// Traces of desktop applications: viewers, readers, FTP and download clients, messengers,
// players, archivers, editors and toolbars. Each member is a script of removal steps.
#include "TraceScript.h"

using namespace steps;

namespace {

const TraceStep kWordPad[] = {
    Key(Root::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad",
        "Recent File List"),
};

const TraceStep kPaint[] = {
    Key(Root::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint",
        "Recent File List"),
};

const TraceStep kMSNToolbar[] = {
    Value(Root::CurrentUser, "Software\\Microsoft\\MSN Toolbar", "SearchStrings"),
};

} // namespace

void CVxMain::DelWordPad() { TraceScript::Run(*this, kWordPad); }

void CVxMain::DelPaint() { TraceScript::Run(*this, kPaint); }

void CVxMain::DelMSNToolbar() { TraceScript::Run(*this, kMSNToolbar); }
