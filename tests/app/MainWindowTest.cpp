// The main window: how a stored erase method shows on the slider and that only a shred run stores
// it, its drag band and system menu, its place and the dialogs it owns, its labels and slider, its
// minimised painting, its web button, and the About box's line on a scheduled shred.
#include "AboutDlg.h"
#include "CleanerDlg.h"
#include "MessageBoxAnswerer.h"
#include "ProgramSettings.h"
#include "TaskScheduler.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/SettingGuard.h"
#include "common/ValueGuard.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

const std::string kAppKey = "Software\\Dravok\\nv";

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
    MessageBoxAnswerer answer("Norvexa");
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

namespace {

POINT Centre(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Opens the About box, lets `look` see it once it shows, and closes it.
void ShowAbout(const std::function<void(HWND)>& look) {
    std::thread watcher([&] {
        for (int i = 0; i < 500; ++i) {
            HWND about = FindWindowA("#32770", "About");
            if (about && IsWindowVisible(about)) {
                look(about);
                PostMessageA(about, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    });
    CAboutDlg about;
    about.DoModal();
    watcher.join();
}

} // namespace

// A dialog opened without a parent belongs to the main window: the main window takes no input
// while it is up, so no second run can start under it.
TEST_F(MainWindow, ItOpensCentredAndDialogsWithoutAParentAreOwnedByItAndCentredOnIt) {
    Open();
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(Centre(m_dialog.m_hWnd).x, (work.left + work.right) / 2, 1);
    EXPECT_NEAR(Centre(m_dialog.m_hWnd).y, (work.top + work.bottom) / 2, 1);

    AfxGetApp()->m_pMainWnd = &m_dialog;
    HWND owner = nullptr;
    BOOL mainEnabled = TRUE;
    POINT centre = {};
    ShowAbout([&](HWND about) {
        owner = GetWindow(about, GW_OWNER);
        mainEnabled = IsWindowEnabled(m_dialog.m_hWnd);
        centre = Centre(about);
    });
    AfxGetApp()->m_pMainWnd = nullptr;
    EXPECT_EQ(owner, m_dialog.m_hWnd);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(m_dialog.m_hWnd));
    EXPECT_NEAR(centre.x, Centre(m_dialog.m_hWnd).x, 1);
    EXPECT_NEAR(centre.y, Centre(m_dialog.m_hWnd).y, 1);
}

namespace {

// Pixels of exactly `colour` that the screen shows inside the control's rectangle.
int PixelsOfColour(HWND control, COLORREF colour) {
    RECT rect;
    GetWindowRect(control, &rect);
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += GetPixel(screen, x, y) == colour;
    ReleaseDC(nullptr, screen);
    return count;
}

} // namespace

TEST_F(MainWindow, TheLabelsStandInTheirColoursOnTheBackgroundPicture) {
    Open();
    ShowWindow(m_dialog.m_hWnd, SW_SHOW);
    UpdateWindow(m_dialog.m_hWnd);
    for (int i = 0; i < 30; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
    EXPECT_GT(PixelsOfColour(GetDlgItem(m_dialog.m_hWnd, 1009), RGB(0, 130, 255)), 20);
    for (int id = 1037; id <= 1041; ++id) {
        const HWND label = GetDlgItem(m_dialog.m_hWnd, id);
        EXPECT_GT(PixelsOfColour(label, RGB(68, 182, 5)), 10) << id;
        EXPECT_EQ(PixelsOfColour(label, GetSysColor(COLOR_BTNFACE)), 0)
            << id << ": no box behind the letters";
    }
}

TEST_F(MainWindow, TheSliderThumbShowsHoverAndPressAndDragsTheTrackbarButNotTheWheel) {
    EXPECT_EQ(Open(), 3);
    ShowWindow(m_dialog.m_hWnd, SW_SHOW);
    UpdateWindow(m_dialog.m_hWnd);
    RECT slider;
    GetWindowRect(m_dialog.m_slider.m_hWnd, &slider);
    EXPECT_EQ(slider.right - slider.left, 15);
    EXPECT_EQ(slider.bottom - slider.top, 100) << "the size of the channel picture";
    EXPECT_NE(m_dialog.m_slider.m_cursor, nullptr) << "the hand cursor";

    CSliderThumb& thumb = m_dialog.m_slider.m_thumb;
    ::SendMessageA(thumb.m_hWnd, WM_MOUSEHOVER, 0, 0);
    EXPECT_EQ(thumb.m_image, 1);
    ::SendMessageA(thumb.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 3));
    EXPECT_EQ(thumb.m_image, 2);
    // The trackbar holds the mouse while it drags: the rest of the drag goes to it.
    RECT where;
    GetWindowRect(thumb.m_hWnd, &where);
    MapWindowPoints(nullptr, m_dialog.m_slider.m_hWnd, reinterpret_cast<POINT*>(&where), 2);
    m_dialog.m_slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(where.left + 6, 99));
    m_dialog.m_slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(where.left + 6, 99));
    ::SendMessageA(thumb.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(6, 3));
    EXPECT_EQ(thumb.m_image, 1);
    ::SendMessageA(thumb.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(thumb.m_image, 0);
    EXPECT_EQ(m_dialog.m_slider.GetPos(), 4) << "dragged to the bottom: zeroes";
    EXPECT_EQ(m_dialog.m_method, 4) << "the release told the main window";

    m_dialog.m_slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    m_dialog.m_slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(m_dialog.m_slider.GetPos(), 4) << "the wheel changes nothing";
}

// Minimised, the window paints its icon in its place and validates what it painted; it gives the
// same icon to be dragged.
TEST_F(MainWindow, MinimisedItPaintsItsIconAndValidatesItsArea) {
    Open();
    m_dialog.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(m_dialog.m_hWnd));
    InvalidateRect(m_dialog.m_hWnd, nullptr, TRUE);
    UpdateWindow(m_dialog.m_hWnd);
    EXPECT_FALSE(GetUpdateRect(m_dialog.m_hWnd, nullptr, FALSE)) << "WM_PAINT left it invalid";
    EXPECT_EQ(HICON(m_dialog.SendMessage(WM_QUERYDRAGICON)),
              HICON(m_dialog.SendMessage(WM_GETICON, ICON_BIG)));
    m_dialog.ShowWindow(SW_RESTORE);
}

// The small web button opens the maker's address with the program that takes web addresses: a
// stand-in that writes the address it was given to a file.
TEST_F(MainWindow, TheWebButtonOpensTheMakersAddress) {
    const ValueGuard handler(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", "");
    ScratchFolder folder("web");
    const std::string opened = folder / "opened.txt";
    const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1> " + opened;
    ASSERT_EQ(WriteRegistryValue(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", "", REG_SZ,
                                 command.c_str(), DWORD(command.size() + 1)),
              ERROR_SUCCESS);
    Open();
    ::SendMessageA(GetDlgItem(m_dialog.m_hWnd, IDC_WEB), BM_CLICK, 0, 0);
    for (int waited = 0; waited < 10000 && ReadText(opened).find("https") == std::string::npos;
         waited += 50)
        Sleep(50);
    EXPECT_EQ(ReadText(opened).substr(0, 27), "https://www.norvexa.example");
}

namespace {

// The About box's line on the scheduled run, read while it is up.
std::string ScheduleLine() {
    std::string line;
    ShowAbout([&](HWND about) {
        char text[256] = {};
        GetDlgItemTextA(about, IDC_SCHEDULE, text, sizeof text);
        line = text;
    });
    return line;
}

} // namespace

TEST(AboutBox, SaysWhetherAShredIsScheduled) {
    UseProgramSettings();
    bool removed = false;
    std::string fault;
    ASSERT_TRUE(RemoveScheduledRun(removed, fault)) << fault;
    EXPECT_EQ(ScheduleLine(), "No scheduled shred (nvc schedule add sets one up).");
    ScheduledRun run;
    run.hour = 21;
    run.arguments = {"--selection", "--quiet"};
    ASSERT_TRUE(RegisterScheduledRun(run, L"C:\\Norvexa\\nvc.exe", fault)) << fault;
    EXPECT_EQ(ScheduleLine(), "Shreds daily at 21:00: nvc shred --selection --quiet");
    EXPECT_TRUE(RemoveScheduledRun(removed, fault)) << fault;
    EXPECT_TRUE(removed);
}
