#include "Catalogue.h"

#include "art-ids.h"

#include <cstring>

const CatalogueEntry kCatalogue[kCatalogueSize] = {
    {Category::Windows, "Document History", 0, IDI_DOCUMENT_HISTORY, &CVxMain::DelSysRecent, 1},
    {Category::Windows, "Temporary Files", 1, IDI_TEMPORARY_FILES, &CVxMain::DelSysTmp, 2},
    {Category::Windows, "Recycle Bin", 2, IDI_RECYCLE_BIN, &CVxMain::DelSysRecycleBin, 3},
    {Category::Windows, "Run History", 3, IDI_RUN_HISTORY, &CVxMain::DelSysRunHistory, 4},
    {Category::Windows, "Nethood", 58, IDI_NETHOOD, &CVxMain::DelNetHood, 7},
    {Category::Windows, "Find History", 4, IDI_FIND_HISTORY, &CVxMain::DelSysSearchHistory, 5},
    {Category::Windows, "Windows Explorer History", 5, IDI_EXPLORER_HISTORY, &CVxMain::DelSysList,
     6},
    {Category::Windows, "Clipboard", 6, IDI_CLIPBOARD, &CVxMain::DelClipBoard, 8},
    {Category::InternetExplorer, "History", 7, IDI_HISTORY, &CVxMain::DelIEHistory, 9},
    {Category::InternetExplorer, "Cache", 8, IDI_CACHE, &CVxMain::DelIECache, 10},
    {Category::InternetExplorer, "Cookies", 9, IDI_COOKIES, &CVxMain::DelIECookie, 11},
    {Category::InternetExplorer, "Address Bar Typed URLs", 10, IDI_TYPED_URLS,
     &CVxMain::DelIEAddressBar, 12},
    {Category::InternetExplorer, "Auto-Complete Passwords", 40, IDI_PASSWORDS,
     &CVxMain::DelIEPassword, 13},
    {Category::InternetExplorer, "Auto-Complete Forms", 11, IDI_FORMS, &CVxMain::DelIEAutoComplete,
     14},
    {Category::InternetExplorer, "Home Page", 12, IDI_HOME_PAGE, &CVxMain::ClsIEStartPage, 15},
    {Category::Office, "Microsoft Access", 13, IDI_ACCESS, &CVxMain::DelAccess, 16},
    {Category::Office, "Microsoft Excel", 14, IDI_EXCEL, &CVxMain::DelExcel, 17},
    {Category::Office, "Microsoft FrontPage", 15, IDI_FRONTPAGE, &CVxMain::DelFrontPage, 18},
    {Category::Office, "Microsoft InfoPath", 16, IDI_INFOPATH, &CVxMain::DelInfoPath, 19},
    {Category::Office, "Microsoft PowerPoint", 17, IDI_POWERPOINT, &CVxMain::DelPowerPoint, 20},
    {Category::Office, "Microsoft Publisher", 18, IDI_PUBLISHER, &CVxMain::DelPublisher, 21},
    {Category::Office, "Microsoft Word", 19, IDI_WORD, &CVxMain::DelWord, 22},
    {Category::Applications, "Adobe ACDSee", 20, IDI_ACDSEE, &CVxMain::DelACDSee, 23},
    {Category::Applications, "Acrobat Reader", 21, IDI_ACROBAT_READER, &CVxMain::DelAcrobatReader,
     24},
    {Category::Applications, "AD-Aware", 22, IDI_AD_AWARE, &CVxMain::DelADAware, 25},
    {Category::Applications, "AOL", 48, IDI_AOL, &CVxMain::DelAOL, 26},
    {Category::Applications, "AOL Messenger", 47, IDI_AOL_MESSENGER, &CVxMain::DelAOLMessenger, 27},
    {Category::Applications, "Orlimby", 23, IDI_ORLIMBY, &CVxMain::DelOLB, 28},
    {Category::Applications, "BearShare", 45, IDI_BEARSHARE, &CVxMain::DelBearShare, 29},
    {Category::Applications, "Cute FTP", 24, IDI_CUTE_FTP, &CVxMain::DelCuteFTP, 30},
    {Category::Applications, "Download Accelerator Plus", 49, IDI_DOWNLOAD_ACCELERATOR,
     &CVxMain::DelDAP, 31},
    {Category::Applications, "DivX Player", 56, IDI_DIVX_PLAYER, &CVxMain::DelDivX, 32},
    {Category::Applications, "DreamWeaver", 46, IDI_DREAMWEAVER, &CVxMain::DelDreamWeaver, 33},
    {Category::Applications, "FlashGet", 25, IDI_FLASHGET, &CVxMain::DelFlashGet, 34},
    {Category::Applications, "GetRight", 26, IDI_GETRIGHT, &CVxMain::DelGetRight, 35},
    {Category::Applications, "Google Toolbar", 39, IDI_GOOGLE_TOOLBAR, &CVxMain::DelGoogleToolbar,
     36},
    {Category::Applications, "ICQ", 27, IDI_ICQ, &CVxMain::DelICQ, 37},
    {Category::Applications, "iMesh", 42, IDI_IMESH, &CVxMain::DeliMesh, 38},
    {Category::Applications, "Kazaa", 44, IDI_KAZAA, &CVxMain::DelKazaa, 39},
    {Category::Applications, "Media JukeBox", 57, IDI_MEDIA_JUKEBOX, &CVxMain::DelMediaJukeBox, 40},
    {Category::Applications, "Morpheus", 43, IDI_MORPHEUS, &CVxMain::DelMorpheus, 45},
    {Category::Applications, "Microsoft Media Player", 28, IDI_MEDIA_PLAYER,
     &CVxMain::DelMediaPlayer, 41},
    {Category::Applications, "Microsoft Paint", 29, IDI_PAINT, &CVxMain::DelPaint, 42},
    {Category::Applications, "Microsoft WordPad", 30, IDI_WORDPAD, &CVxMain::DelWordPad, 43},
    {Category::Applications, "mIRC", 31, IDI_MIRC, &CVxMain::DelmIRC, 44},
    {Category::Applications, "MSN Toolbar", 41, IDI_MSN_TOOLBAR, &CVxMain::DelMSNToolbar, 46},
    {Category::Applications, "Napster", 54, IDI_NAPSTER, &CVxMain::DelNapster, 47},
    {Category::Applications, "NetMeeting", 51, IDI_NETMEETING, &CVxMain::DelNetMeeting, 48},
    {Category::Applications, "Opera", 59, IDI_OPERA, &CVxMain::DelOpera, 49},
    {Category::Applications, "PowerDVD", 32, IDI_POWERDVD, &CVxMain::DelPowerDVD, 50},
    {Category::Applications, "Paint Shop Pro", 52, IDI_PAINT_SHOP_PRO, &CVxMain::DelPSP, 51},
    {Category::Applications, "Real Player", 33, IDI_REAL_PLAYER, &CVxMain::DelReal, 52},
    {Category::Applications, "Trillian", 55, IDI_TRILLIAN, &CVxMain::DelTrillian, 53},
    {Category::Applications, "UltraEdit", 34, IDI_ULTRAEDIT, &CVxMain::DelUltraEdit, 54},
    {Category::Applications, "WinAce", 35, IDI_WINACE, &CVxMain::DelWinAce, 55},
    {Category::Applications, "WINAMP", 50, IDI_WINAMP, &CVxMain::DelWINAMP, 56},
    {Category::Applications, "WinRar", 36, IDI_WINRAR, &CVxMain::DelWinRar, 57},
    {Category::Applications, "WinZip", 37, IDI_WINZIP, &CVxMain::DelWinZip, 58},
    {Category::Applications, "Yahoo! Messenger", 53, IDI_YAHOO_MESSENGER, &CVxMain::DelYahoo, 59},
    {Category::Applications, "ZoneAlarm", 38, IDI_ZONEALARM, &CVxMain::DelZoneAlarm, 60},
};

const CategoryInfo kCategories[4] = {
    {Category::Windows, "Microsoft Windows", IDI_WINDOWS},
    {Category::InternetExplorer, "Microsoft Internet Explorer", IDI_INTERNET_EXPLORER},
    {Category::Office, "Microsoft Office", IDI_OFFICE},
    {Category::Applications, "Application Program", IDI_APPLICATIONS},
};

const CatalogueEntry* FindEntry(Category category, const char* name) {
    for (const CatalogueEntry& entry : kCatalogue)
        if (entry.category == category && std::strcmp(entry.name, name) == 0)
            return &entry;
    return nullptr;
}

const char* CategoryName(Category category) {
    return kCategories[int(category)].name;
}
