// Reading the registered browser: each shape of registry value, and the command line built from
// the ".htm" class, with no program started.
#include "Hyperlink.h"

#include "Handle.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

namespace {

void SetClassValue(const char* path, DWORD type, const void* data, DWORD size) {
    RegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              key.Put(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key.Get(), nullptr, 0, type, static_cast<const BYTE*>(data), size);
}

void SetClassText(const char* path, const std::string& text) {
    SetClassValue(path, REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

// The page class of the prefix, put back when the test ends.
class RegisteredBrowser : public ::testing::Test {
protected:
    void SetUp() override { m_hadPages = ReadClassesRootDefault(".htm", m_pages) == 0; }
    void TearDown() override {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, "vxtest.page");
        if (m_hadPages)
            SetClassText(".htm", m_pages);
        else
            SHDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
    }

    bool m_hadPages = false;
    std::string m_pages;
};

} // namespace

TEST_F(RegisteredBrowser, OnlyTextIsReadAndNothingChangesOnAFailure) {
    std::string value = "untouched";
    EXPECT_NE(ReadClassesRootDefault("vxtest.page", value), ERROR_SUCCESS);
    const DWORD number = 7;
    SetClassValue("vxtest.page", REG_DWORD, &number, sizeof number);
    EXPECT_NE(ReadClassesRootDefault("vxtest.page", value), ERROR_SUCCESS);
    SetClassText("vxtest.page", std::string(300, 'v'));
    EXPECT_NE(ReadClassesRootDefault("vxtest.page", value), ERROR_SUCCESS);
    EXPECT_EQ(value, "untouched");
    SetClassValue("vxtest.page", REG_SZ, "browser", 7);
    EXPECT_EQ(ReadClassesRootDefault("vxtest.page", value), ERROR_SUCCESS);
    EXPECT_EQ(value, "browser") << "a value without its terminator ends where its size says";
}

TEST_F(RegisteredBrowser, TheFallbackStartsTheCommandOfThePageClass) {
    SetClassText(".htm", "vxtest.page");
    SetClassText("vxtest.page\\shell\\open\\command", "\"C:\\b.exe\" \"%1\"");
    EXPECT_EQ(FallbackCommandLine("http://a"), "\"C:\\b.exe\"  \"http://a\"");
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "vxtest.page");
    EXPECT_FALSE(FallbackCommandLine("http://a")) << "a class without a command starts nothing";
}
