// The window layer: message maps chained to their base classes, handlers that fall back to the
// default handling, exceptions kept out of the system, and GDI selections undone.
#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "Handle.h"
#include "TreeCtrl.h"
#include "WinApp.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

const UINT kPing = WM_APP + 1;
const UINT kPong = WM_APP + 2;
const UINT kThrow = WM_APP + 3;

class BaseWindow : public CWnd {
public:
    int pings = 0;
    LRESULT OnPing(WPARAM, LPARAM) {
        ++pings;
        return 1;
    }
    LRESULT OnPong(WPARAM, LPARAM) { return 10; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_MESSAGE(kPing, OnPing)
ON_MESSAGE(kPong, OnPong)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
public:
    LRESULT OnPong(WPARAM, LPARAM) { return 20; }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    void OnLButtonDown(UINT, CPoint point) {
        clicked = point;
        Default();
    }
    CPoint clicked;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_MESSAGE(kPong, OnPong)
ON_MESSAGE(kThrow, OnThrow)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

HWND MakeStatic() {
    return CreateWindowA("STATIC", "plain", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr,
                         nullptr);
}

} // namespace

TEST(MessageMap, DerivedEntriesWinBaseEntriesStillApplyAndTheRestIsDefault) {
    HWND window = MakeStatic();
    {
        DerivedWindow object;
        ASSERT_TRUE(object.SubclassWindow(window));
        EXPECT_EQ(CWnd::FromHandlePermanent(window), &object);
        EXPECT_EQ(SendMessageA(window, kPong, 0, 0), 20);
        EXPECT_EQ(SendMessageA(window, kPing, 0, 0), 1);
        EXPECT_EQ(object.pings, 1);
        EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 5) << "the control's own handling";
        SendMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(7, -3));
        EXPECT_EQ(object.clicked.x, 7);
        EXPECT_EQ(object.clicked.y, -3) << "coordinates are signed";
        EXPECT_EQ(SendMessageA(window, kThrow, 0, 0), 0) << "no exception reaches the system";
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr) << "the object let go of the window";
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 5) << "the window works without it";
    DestroyWindow(window);
}

TEST(MessageMap, ADestroyedWindowIsForgotten) {
    DerivedWindow object;
    HWND window = MakeStatic();
    ASSERT_TRUE(object.SubclassWindow(window));
    DestroyWindow(window);
    EXPECT_EQ(object.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

TEST(Gdi, AScopedSelectionPutsThePreviousObjectBack) {
    CMemoryDC dc(nullptr);
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    const HGDIOBJ before = GetCurrentObject(dc.GetSafeHdc(), OBJ_BITMAP);
    {
        ScopedSelectObject select(dc.GetSafeHdc(), bitmap);
        EXPECT_EQ(GetCurrentObject(dc.GetSafeHdc(), OBJ_BITMAP), bitmap);
    }
    EXPECT_EQ(GetCurrentObject(dc.GetSafeHdc(), OBJ_BITMAP), before);
    EXPECT_TRUE(DeleteObject(bitmap)) << "a bitmap still selected could not be deleted";
}

TEST(Profile, ValuesOfTheWrongTypeFallBackAndSectionsNestUnderTheApplicationKey) {
    CWinApp app("vxprofiletest");
    app.SetRegistryKey("VxTest");
    EXPECT_TRUE(app.WriteProfileInt("", "Number", 42));
    EXPECT_EQ(app.GetProfileInt("", "Number", 7), 42u);
    EXPECT_TRUE(app.WriteProfileString("Inner", "Text", "value"));
    EXPECT_STREQ(app.GetProfileString("Inner", "Text"), "value");
    EXPECT_EQ(app.GetProfileInt("Inner", "Text", 7), 7u) << "a string is not a number";
    EXPECT_STREQ(app.GetProfileString("", "Number", "fallback"), "fallback");
    EXPECT_EQ(app.GetProfileInt("Missing", "Number", -1), UINT(-1));
    {
        RegKey key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VxTest\\vxprofiletest\\Inner", 0,
                                KEY_READ, key.Put()),
                  ERROR_SUCCESS);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VxTest\\vxprofiletest\\Inner");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VxTest\\vxprofiletest");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VxTest");
}

// Every shape another program or a damaged profile can give a value: a number only from four
// bytes of the number type, a text up to its first zero or its size, anything else the fallback.
TEST(Profile, ValuesOfEveryShapeReadAsTheirNumberTextOrTheFallback) {
    CWinApp app("vxprofileshapes");
    app.SetRegistryKey("VxTest");
    RegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VxTest\\vxprofileshapes", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, key.Put(), nullptr),
              ERROR_SUCCESS);
    auto set = [&](const char* name, DWORD type, const std::string& bytes) {
        RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       DWORD(bytes.size()));
    };
    set("Short", REG_DWORD, std::string("\x01\x02", 2));
    set("Long", REG_DWORD, std::string(8, '\x01'));
    set("Binary", REG_BINARY, std::string("\x05\0\0\0", 4));
    set("Unterminated", REG_SZ, "C:\\Files");
    set("Empty", REG_SZ, "");
    set("Huge", REG_SZ, std::string(65536, 'x'));
    set("Expandable", REG_EXPAND_SZ, std::string("%TEMP%\0", 7));
    set("Several", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    for (const char* name : {"Short", "Long", "Binary", "Unterminated", "Empty"})
        EXPECT_EQ(app.GetProfileInt("", name, 7), 7u) << name;
    EXPECT_STREQ(app.GetProfileString("", "Unterminated"), "C:\\Files");
    EXPECT_STREQ(app.GetProfileString("", "Empty", "fallback"), "");
    EXPECT_EQ(std::string(app.GetProfileString("", "Huge")), std::string(65536, 'x'));
    EXPECT_STREQ(app.GetProfileString("", "Expandable"), "%TEMP%");
    EXPECT_STREQ(app.GetProfileString("", "Several", "fallback"), "fallback");
    EXPECT_STREQ(app.GetProfileString("", "Binary", "fallback"), "fallback");
    key.Reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VxTest\\vxprofileshapes");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VxTest");
}

// Controls copy what fits into the buffer they are given and say nothing of the rest.
TEST(Controls, ItemTextsOfAnyLengthAreReadWhole) {
    InitCommonControls();
    CTreeCtrl tree;
    tree.SubclassWindow(CreateWindowA(WC_TREEVIEWA, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                      nullptr, nullptr));
    CListCtrl list;
    list.SubclassWindow(CreateWindowA(WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 100, 100,
                                      nullptr, nullptr, nullptr, nullptr));
    list.InsertColumn(0, "Folder", LVCFMT_LEFT, 50);
    for (size_t length : {0, 254, 255, 256, 600}) {
        const std::string text(length, 'x');
        EXPECT_EQ(std::string(tree.GetItemText(tree.InsertItem(text.c_str(), 0, 0))), text);
        const int item = list.InsertItem(list.GetItemCount(), text.c_str());
        EXPECT_EQ(std::string(list.GetItemText(item, 0)), text);
    }
    DestroyWindow(tree.m_hWnd);
    DestroyWindow(list.m_hWnd);
}
