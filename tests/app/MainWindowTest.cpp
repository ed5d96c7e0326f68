// The main window's erase method: how a stored setting shows on the slider, and that only a
// shred run stores it.
#include "CleanerDlg.h"
#include "ProgramSettings.h"

#include "common/RegistryFixture.h"
#include "common/SettingGuard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const std::string kAppKey = "Software\\Dravok\\nv";

// Presses OK on the message box that the window under test is about to show, and remembers
// its text.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
        : m_thread([this] {
              for (int i = 0; i < 500 && !m_done; ++i) {
                  if (HWND box = FindWindowA("#32770", "Norvexa")) {
                      char text[256] = {};
                      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                      m_text = text;
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                      return;
                  }
                  Sleep(20);
              }
          }) {}
    ~MessageBoxAnswerer() { Stop(); }
    std::string Text() {
        Stop();
        return m_text;
    }

private:
    void Stop() {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    std::atomic<bool> m_done{false};
    std::string m_text;
    std::thread m_thread;
};

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseProgramSettings(); }
    void SetUp() override {
        SettingGuard::Remove();
        for (const char* value : {"Data1", "Data2", "Data3", "Data4"})
            SetDword(kAppKey, value, 0xFFFF);
    }
    void TearDown() override {
        if (m_dialog.m_hWnd)
            DestroyWindow(m_dialog.m_hWnd);
    }
    int Open() {
        EXPECT_TRUE(m_dialog.Create());
        return m_dialog.m_slider.GetPos();
    }

    SettingGuard m_setting;
    CCleanerDlg m_dialog;
};

} // namespace

TEST_F(MainWindow, AFreshAccountShowsPseudoRandom) {
    EXPECT_EQ(Open(), 3);
}

TEST_F(MainWindow, ZeroesAndValuesWithoutAMethodBitShowZeroes) {
    SettingGuard::WriteDword(144);
    EXPECT_EQ(Open(), 4);
    DestroyWindow(m_dialog.m_hWnd);

    CCleanerDlg corrupt;
    SettingGuard::WriteDword(0xFFFFFF70);
    ASSERT_TRUE(corrupt.Create());
    EXPECT_EQ(corrupt.m_slider.GetPos(), 4);
    DestroyWindow(corrupt.m_hWnd);

    CCleanerDlg lowest;
    SettingGuard::WriteDword(0x8C);
    ASSERT_TRUE(lowest.Create());
    EXPECT_EQ(lowest.m_slider.GetPos(), 2) << "the lowest method bit wins";
    DestroyWindow(lowest.m_hWnd);
}

TEST_F(MainWindow, MovingTheSliderStoresNothingButAShredRunStoresTheMethod) {
    Open();
    m_dialog.m_slider.SetPos(0);
    EXPECT_EQ(DwordValue(kAppKey, "Setting"), 0xDEADBEEFu) << "nothing stored yet";

    m_dialog.m_slider.SetPos(4);
    const HTREEITEM root = m_dialog.m_tree.GetRootItem();
    m_dialog.m_tree.SetCheck(root, CheckAction::Check);
    m_dialog.m_tree.SetCheck(root, CheckAction::Uncheck);
    ASSERT_EQ(m_dialog.m_tree.GetFirstChecked(), nullptr);
    MessageBoxAnswerer answer;
    m_dialog.OnShredNow();
    EXPECT_EQ(answer.Text(), "Please select some items.");
    EXPECT_EQ(DwordValue(kAppKey, "Setting"), 144u);
    for (const char* value : {"Data1", "Data2", "Data3", "Data4"})
        EXPECT_EQ(DwordValue(kAppKey, value), 0u) << value;
}

TEST_F(MainWindow, OnlyTheTopBandDragsTheWindowAndTheSystemMenuEndsWithAbout) {
    Open();
    auto dragPosted = [&](int y) {
        m_dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, y));
        MSG message;
        const bool posted = PeekMessageA(&message, m_dialog.m_hWnd, WM_NCLBUTTONDOWN,
                                         WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
        m_dialog.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, y));
        return posted && message.wParam == HTCAPTION;
    };
    EXPECT_TRUE(dragPosted(37));
    EXPECT_FALSE(dragPosted(38));

    HMENU menu = GetSystemMenu(m_dialog.m_hWnd, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    char text[64] = {};
    GetMenuStringA(menu, UINT(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "About Norvexa(&A)...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), 16u);
    EXPECT_EQ(GetMenuState(menu, UINT(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
              UINT(MF_SEPARATOR));

    RECT window;
    m_dialog.GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, 594);
    EXPECT_EQ(window.bottom - window.top, 385);
    EXPECT_FALSE(GetWindowLongA(m_dialog.m_hWnd, GWL_STYLE) & WS_CAPTION & ~WS_BORDER);
}
