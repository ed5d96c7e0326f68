// The program's icon in Wine's notification area: added and removed with the main window, its
// clicks and its menu, and its return after the taskbar was created again.
#include "CleanerDlg.h"
#include "ProgramSettings.h"
#include "WineTray.h"
#include "common/DialogScript.h"
#include "common/RegistryFixture.h"
#include "common/SettingGuard.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string kAppKey = "Software\\Dravok\\nv";
constexpr UINT kTrayMessage = WM_APP + 10;

// Handles the test thread's messages until `condition` holds or two seconds have passed.
bool PumpUntil(const std::function<bool()>& condition) {
    for (int waited = 0; waited < 2000 && !condition(); waited += 10) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    return condition();
}

// Fails its first add, as the shell does before the notification area exists.
class LateTray : public CSystemTray {
protected:
    BOOL Notify(DWORD message) override {
        if (message == NIM_ADD && !m_refused) {
            m_refused = true;
            return FALSE;
        }
        return CSystemTray::Notify(message);
    }

private:
    bool m_refused = false;
};

class SystemTray : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseProgramSettings(); }
    void SetUp() override {
        m_before = TrayIcons();
        m_icons = int(m_before.size());
        for (const char* value : {"Data1", "Data2", "Data3", "Data4"})
            SetDword(kAppKey, value, 0);
    }
    void TearDown() override {
        if (m_main.m_hWnd)
            DestroyWindow(m_main.m_hWnd);
    }
    void Open() {
        ASSERT_TRUE(m_main.Create());
        ShowWindow(m_main.m_hWnd, SW_SHOW);
        ASSERT_TRUE(PumpUntil([&] { return TrayIconCount() == m_icons + 1; }));
    }
    bool Shown() { return IsWindowVisible(m_main.m_hWnd) && !GetParent(m_main.m_hWnd); }

    std::vector<HWND> m_before;
    int m_icons = 0;
    SettingGuard m_setting;
    CCleanerDlg m_main;
};

} // namespace

TEST_F(SystemTray, TheIconComesWithTheMainWindowAndGoesWithIt) {
    {
        CCleanerDlg main;
        ASSERT_TRUE(main.Create());
        EXPECT_TRUE(main.m_tray.IsShown());
        EXPECT_STREQ(main.m_tray.m_iconData.szTip, "Norvexa");
        EXPECT_EQ(main.m_tray.m_iconData.cbSize, DWORD{NOTIFYICONDATAA_V2_SIZE});
        EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == m_icons + 1; }));
        DestroyWindow(main.m_hWnd);
    }
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == m_icons; }));
}

TEST_F(SystemTray, ALeftClickOnTheIconParksTheWindowAndTheNextBringsItBack) {
    Open();
    ClickTrayIcon(NewTrayIcon(m_before));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(m_main.m_hWnd); }));
    EXPECT_TRUE(m_main.m_tray.m_inTray);
    ClickTrayIcon(NewTrayIcon(m_before));
    EXPECT_TRUE(PumpUntil([&] { return Shown(); }));
    EXPECT_FALSE(m_main.m_tray.m_inTray);

    m_main.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HIDE, BN_CLICKED));
    EXPECT_FALSE(IsWindowVisible(m_main.m_hWnd)) << "the hide button parks the window too";
}

TEST_F(SystemTray, ShredNowFromTheMenuAtTheCursorBringsTheParkedWindowBackAndRuns) {
    SetDword(kAppKey, "Data1", 1u << 6);
    Open();
    m_main.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HIDE, BN_CLICKED));
    SetCursorPos(400, 300);
    RECT menu = {};
    std::string line;
    DialogScript script([&](DialogScript& s) {
        HWND popup = nullptr;
        for (int waited = 0; waited < 5000 && !popup; waited += 20, Sleep(20))
            popup = FindWindowA("#32768", nullptr);
        if (!popup)
            return;
        GetWindowRect(popup, &menu);
        PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        HWND progress = s.WaitFor(IDC_PROGRESS_LINE, "Shred files");
        char text[128] = {};
        for (int waited = 0; waited < 20000; waited += 50, Sleep(50)) {
            GetDlgItemTextA(progress, IDC_PROGRESS_LINE, text, sizeof text);
            if (std::string(text) == "Shredding is completed.")
                break;
        }
        line = text;
        DialogScript::Press(progress, IDCANCEL);
    });
    m_main.m_tray.SendMessage(kTrayMessage, IDR_TRAY_MENU, WM_RBUTTONUP);
    PumpUntil([&] { return !line.empty(); });
    EXPECT_EQ(script.Finish(), "");
    EXPECT_NEAR(menu.right, 400, 2) << "the menu opens right-aligned at the cursor";
    EXPECT_EQ(line, "Shredding is completed.");
    EXPECT_TRUE(Shown());
}

TEST_F(SystemTray, AFailedAddAndALostIconComeBackWhenTheTaskbarIsCreated) {
    LateTray tray;
    EXPECT_FALSE(tray.AddTrayIcon(nullptr, kTrayMessage, "Norvexa", nullptr, IDR_TRAY_MENU));
    EXPECT_FALSE(tray.IsShown());
    tray.SendMessage(CSystemTray::s_taskbarCreatedMsg);
    EXPECT_TRUE(tray.IsShown());
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == m_icons + 1; }));

    NOTIFYICONDATAA lost = tray.m_iconData;
    Shell_NotifyIconA(NIM_DELETE, &lost);
    ASSERT_TRUE(PumpUntil([&] { return TrayIconCount() == m_icons; }));
    tray.SendMessage(CSystemTray::s_taskbarCreatedMsg);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == m_icons + 1; }));

    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    EXPECT_TRUE(tray.IsShown()) << "a work-area change keeps the icon counted as shown";
    EXPECT_EQ(TrayIconCount(), m_icons + 1);

    EXPECT_TRUE(tray.DeleteTrayIcon());
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == m_icons; }));
    tray.SendMessage(CSystemTray::s_taskbarCreatedMsg);
    EXPECT_FALSE(tray.IsShown()) << "an icon deleted on purpose stays deleted";
}
