// Where the fixtures of the application members build their traces, and the removal of all of
// it: the tests of each group of members and the run over every member share them.
#pragma once

#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/ShellFolder.h"

#include <shlwapi.h>

#include <string>

const char kRealClass[] = "CLSID\\{FF393560-C2A7-11CF-BFF4-444553540000}";
const std::string kACDSeeUsers = ".default\\Software\\ACD Systems";
const std::string kOpera = AppData("\\Opera");
const char* const kNetworkMachineKeys[] = {"Software\\Morpheus", "Software\\SpeedBit",
                                           "Software\\Jasc", "Software\\Microsoft\\Conferencing"};

inline void RemoveApplicationFixtures() {
    for (const char* key :
         {"ACD Systems", "Software\\ACD Systems", "Software\\Adobe",
          "Software\\Dravok\\OrlimbyStudio", "Software\\GlobalSCAPE", "Software\\JetCar",
          "Software\\Headlight", "Software\\RealNetworks", "Software\\e-merge", "Software\\WinRAR",
          "Software\\Nico Mak Computing", "Software\\Microsoft\\MediaPlayer",
          "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad",
          "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint", "Software\\Google",
          "Software\\Microsoft\\MSN Toolbar"})
        DeleteKeyQuietly(key);
    SHDeleteKeyA(HKEY_USERS, kACDSeeUsers.c_str());
    SHDeleteKeyA(HKEY_CLASSES_ROOT, kRealClass);
    for (const std::string& folder :
         {AppData("\\ACD Systems"), AppData("\\GlobalSCAPE"), ProgramFiles("\\Lavasoft"),
          ProgramFiles("\\FlashGet"), ProgramFiles("\\GetRight"), ProgramFiles("\\ICQ"),
          ProgramFiles("\\mIRC"), ProgramFiles("\\CyberLink"), WindowsFolder("\\uedit32.INI"),
          WindowsFolder("\\Internet Logs"), WindowsFolder("\\wmplibrary_v_0_12.db"),
          WindowsFolder("\\wmplibrary_v_0_12.lrd"), WindowsFolder("\\wmplibrary_v_0_11.db"),
          CommonAppData("\\Microsoft\\Media Index")})
        RemoveTree(folder);
}

inline void RemoveNetworkFixtures() {
    for (const char* key :
         {"Software\\iMesh", "Software\\Morpheus", "Software\\Kazaa", "Software\\Macromedia",
          "Software\\SpeedBit", "Software\\Jasc", "Software\\DivXNetworks"})
        DeleteKeyQuietly(key);
    for (const char* key : kNetworkMachineKeys)
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    for (const char* folder :
         {"iMesh", "Morpheus", "StreamCast", "KaZaA", "KaZaA Lite", "BearShare", "AIM", "DAP",
          "winamp", "NetMeeting", "Yahoo!", "Trillian", "DivX", "J River", "Napster"})
        RemoveTree(ProgramFiles("\\") + folder);
    for (const char* name : {"shared.dat", "notify.dat", "channels.dat"}) {
        DeleteFileA((ProgramFiles("\\") + name).c_str());
        DeleteFileA((std::string("C:\\") + name).c_str());
    }
    for (const char* version : {"5.0", "6.0", "7.0"})
        RemoveTree(std::string("C:\\America Online ") + version);
    RemoveTree(kOpera);
}
