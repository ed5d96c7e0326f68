// The cleaning engine: one object whose members each remove one kind of trace, and the secure
// erase primitives they share. The object holds no state; every member works only from its
// arguments, the registry, the file system and the erase component. No member lets an exception
// out: whatever fails inside, a lack of memory included, ends the member silently.
#pragma once

#include "CString.h"

#include <windows.h>

#ifdef VXCLEAN_BUILD
#define VXCLEAN_API __declspec(dllexport)
#else
#define VXCLEAN_API __declspec(dllimport)
#endif

class VXCLEAN_API CVxMain {
public:
    CVxMain();
    CVxMain(const CVxMain&);
    CVxMain& operator=(const CVxMain&);
    virtual ~CVxMain();

    void IniLib();
    void UnIniLib();
    void SetDelMethod(int method);
    void Testeraser();

    void EraseFile(CString folder, CString pattern);
    void ShredFiles(CString folder, CString pattern, bool subfolders);
    int WipeFile(const char* folder, const char* pattern);
    void ShredFile(const char* folder, const char* pattern);
    int DelFileFromType(const char* folder, const char* pattern);
    int EmptyDirectory(const char* folder, int, int);
    void ShredUnSpace(CString driveRoot);

    void DelIEHistory();
    void DelIECache();
    void DelIECookie();
    void DelIEAddressBar();
    void ClsIEStartPage();
    void DelIEAutoComplete();
    void DelIEPassword();
    void DelSysRecycleBin();
    void DelSysRecent();
    void DelSysTmp();
    void DelSysRunHistory();
    void DelSysSearchHistory();
    void DelSysList();
    void DelClipBoard();
    void DelNetHood();

    void DelOfficeRecent();
    void DelWord();
    void DelExcel();
    void DelPowerPoint();
    void DelFrontPage();
    void DelAccess();
    void DelPublisher();
    void DelInfoPath();

    void DelACDSee();
    void DelAcrobatReader();
    void DelADAware();
    void DelOLB();
    void DelCuteFTP();
    void DelFlashGet();
    void DelGetRight();
    void DelICQ();
    void DelmIRC();
    void DelPowerDVD();
    void DelReal();
    void DelUltraEdit();
    void DelWinAce();
    void DelWinRar();
    void DelWinZip();
    void DelZoneAlarm();
    void DelMediaPlayer();
    void DelWordPad();
    void DelPaint();
    void DelGoogleToolbar();
    void DelMSNToolbar();

    void DeliMesh();
    void DelMorpheus();
    void DelKazaa();
    void DelBearShare();
    void DelDreamWeaver();
    void DelAOLMessenger();
    void DelAOL();
    void DelDAP();
    void DelWINAMP();
    void DelNetMeeting();
    void DelPSP();
    void DelYahoo();
    void DelNapster();
    void DelTrillian();
    void DelDivX();
    void DelMediaJukeBox();
    void DelOpera();

    void DelChromeHistory();
    void DelChromeCache();
    void DelChromeCookies();
    void DelChromeSession();
    void DelChromeFormData();
    void DelChromePasswords();
    void DelEdgeHistory();
    void DelEdgeCache();
    void DelEdgeCookies();
    void DelEdgeSession();
    void DelEdgeFormData();
    void DelEdgePasswords();
    void DelFirefoxHistory();
    void DelFirefoxCache();
    void DelFirefoxCookies();
    void DelFirefoxSession();
    void DelFirefoxFormData();
    void DelFirefoxPasswords();

protected:
    void DelRegValue(HKEY root, CString keyPath, CString valueName);
    void DelRegKey(HKEY root, CString keyPath, CString subKey);
    void DelRegKeysFromPrefix(HKEY root, CString keyPath, CString prefix);
    CString GetMaxVer(HKEY root, const char* keyPath);
    // The descriptor is the engine's ordinary allocation, which the caller releases with
    // delete[]; the access list of CreateNewSD is a block of the process heap that the caller
    // frees from there.
    int GetOldSD(HKEY root, const char* keyPath, BYTE** descriptor);
    int CreateNewSD(void* userSid, SECURITY_DESCRIPTOR* descriptor, ACL** accessList);
    int RegSetPrivilege(HKEY root, const char* keyPath, SECURITY_DESCRIPTOR* descriptor,
                        int recurse);
};
