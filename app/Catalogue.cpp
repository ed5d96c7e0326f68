#include "Catalogue.h"

#include <cstring>

const CatalogueEntry kCatalogue[kCatalogueSize] = {
    {Category::Windows, "Document History", 0, 171, &CVxMain::DelSysRecent, 1},
    {Category::Windows, "Temporary Files", 1, 184, &CVxMain::DelSysTmp, 2},
    {Category::Windows, "Recycle Bin", 2, 181, &CVxMain::DelSysRecycleBin, 3},
    {Category::Windows, "Run History", 3, 182, &CVxMain::DelSysRunHistory, 4},
    {Category::Windows, "Nethood", 58, 222, &CVxMain::DelNetHood, 7},
    {Category::Windows, "Find History", 4, 188, &CVxMain::DelSysSearchHistory, 5},
    {Category::Windows, "Windows Explorer History", 5, 183, &CVxMain::DelSysList, 6},
    {Category::Windows, "Clipboard", 6, 185, &CVxMain::DelClipBoard, 8},
    {Category::InternetExplorer, "History", 7, 173, &CVxMain::DelIEHistory, 9},
    {Category::InternetExplorer, "Cache", 8, 189, &CVxMain::DelIECache, 10},
    {Category::InternetExplorer, "Cookies", 9, 166, &CVxMain::DelIECookie, 11},
    {Category::InternetExplorer, "Address Bar Typed URLs", 10, 191, &CVxMain::DelIEAddressBar, 12},
    {Category::InternetExplorer, "Auto-Complete Passwords", 40, 215, &CVxMain::DelIEPassword, 13},
    {Category::InternetExplorer, "Auto-Complete Forms", 11, 212, &CVxMain::DelIEAutoComplete, 14},
    {Category::InternetExplorer, "Home Page", 12, 174, &CVxMain::ClsIEStartPage, 15},
    {Category::Office, "Microsoft Access", 13, 162, &CVxMain::DelAccess, 16},
    {Category::Office, "Microsoft Excel", 14, 167, &CVxMain::DelExcel, 17},
    {Category::Office, "Microsoft FrontPage", 15, 170, &CVxMain::DelFrontPage, 18},
    {Category::Office, "Microsoft InfoPath", 16, 175, &CVxMain::DelInfoPath, 19},
    {Category::Office, "Microsoft PowerPoint", 17, 186, &CVxMain::DelPowerPoint, 20},
    {Category::Office, "Microsoft Publisher", 18, 187, &CVxMain::DelPublisher, 21},
    {Category::Office, "Microsoft Word", 19, 161, &CVxMain::DelWord, 22},
    {Category::Applications, "Adobe ACDSee", 20, 163, &CVxMain::DelACDSee, 23},
    {Category::Applications, "Acrobat Reader", 21, 196, &CVxMain::DelAcrobatReader, 24},
    {Category::Applications, "AD-Aware", 22, 195, &CVxMain::DelADAware, 25},
    {Category::Applications, "AOL", 48, 225, &CVxMain::DelAOL, 26},
    {Category::Applications, "AOL Messenger", 47, 224, &CVxMain::DelAOLMessenger, 27},
    {Category::Applications, "Orlimby", 23, 197, &CVxMain::DelOLB, 28},
    {Category::Applications, "BearShare", 45, 226, &CVxMain::DelBearShare, 29},
    {Category::Applications, "Cute FTP", 24, 198, &CVxMain::DelCuteFTP, 30},
    {Category::Applications, "Download Accelerator Plus", 49, 227, &CVxMain::DelDAP, 31},
    {Category::Applications, "DivX Player", 56, 229, &CVxMain::DelDivX, 32},
    {Category::Applications, "DreamWeaver", 46, 223, &CVxMain::DelDreamWeaver, 33},
    {Category::Applications, "FlashGet", 25, 199, &CVxMain::DelFlashGet, 34},
    {Category::Applications, "GetRight", 26, 194, &CVxMain::DelGetRight, 35},
    {Category::Applications, "Google Toolbar", 39, 214, &CVxMain::DelGoogleToolbar, 36},
    {Category::Applications, "ICQ", 27, 200, &CVxMain::DelICQ, 37},
    {Category::Applications, "iMesh", 42, 218, &CVxMain::DeliMesh, 38},
    {Category::Applications, "Kazaa", 44, 230, &CVxMain::DelKazaa, 39},
    {Category::Applications, "Media JukeBox", 57, 234, &CVxMain::DelMediaJukeBox, 40},
    {Category::Applications, "Morpheus", 43, 235, &CVxMain::DelMorpheus, 45},
    {Category::Applications, "Microsoft Media Player", 28, 177, &CVxMain::DelMediaPlayer, 41},
    {Category::Applications, "Microsoft Paint", 29, 203, &CVxMain::DelPaint, 42},
    {Category::Applications, "Microsoft WordPad", 30, 211, &CVxMain::DelWordPad, 43},
    {Category::Applications, "mIRC", 31, 202, &CVxMain::DelmIRC, 44},
    {Category::Applications, "MSN Toolbar", 41, 216, &CVxMain::DelMSNToolbar, 46},
    {Category::Applications, "Napster", 54, 233, &CVxMain::DelNapster, 47},
    {Category::Applications, "NetMeeting", 51, 228, &CVxMain::DelNetMeeting, 48},
    {Category::Applications, "Opera", 59, 238, &CVxMain::DelOpera, 49},
    {Category::Applications, "PowerDVD", 32, 204, &CVxMain::DelPowerDVD, 50},
    {Category::Applications, "Paint Shop Pro", 52, 236, &CVxMain::DelPSP, 51},
    {Category::Applications, "Real Player", 33, 205, &CVxMain::DelReal, 52},
    {Category::Applications, "Trillian", 55, 231, &CVxMain::DelTrillian, 53},
    {Category::Applications, "UltraEdit", 34, 206, &CVxMain::DelUltraEdit, 54},
    {Category::Applications, "WinAce", 35, 207, &CVxMain::DelWinAce, 55},
    {Category::Applications, "WINAMP", 50, 237, &CVxMain::DelWINAMP, 56},
    {Category::Applications, "WinRar", 36, 208, &CVxMain::DelWinRar, 57},
    {Category::Applications, "WinZip", 37, 209, &CVxMain::DelWinZip, 58},
    {Category::Applications, "Yahoo! Messenger", 53, 232, &CVxMain::DelYahoo, 59},
    {Category::Applications, "ZoneAlarm", 38, 210, &CVxMain::DelZoneAlarm, 60},
};

const CategoryInfo kCategories[4] = {
    {Category::Windows, "Microsoft Windows", 179},
    {Category::InternetExplorer, "Microsoft Internet Explorer", 172},
    {Category::Office, "Microsoft Office", 178},
    {Category::Applications, "Application Program", 192},
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
