// The animated picture: the program's two-frame animation on its drawing thread, a still GIF, a
// picture of another format, cut streams and a delay that would outlast any wait.
#include "AnimatedPicture.h"

#include "ProgramSettings.h"
#include "art-ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class AnimatedPicture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseProgramSettings(); }
    void SetUp() override {
        ASSERT_TRUE(
            m_picture.SubclassWindow(CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                                     10, 10, nullptr, nullptr, nullptr, nullptr)));
    }
    void TearDown() override {
        if (m_picture.m_hWnd)
            DestroyWindow(m_picture.m_hWnd);
    }
    bool Load(const std::vector<BYTE>& bytes) {
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        const bool loaded = m_picture.LoadFromMemory(block, DWORD(bytes.size()));
        GlobalFree(block);
        return loaded;
    }
    static std::vector<BYTE> WorkingGif() {
        const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_WORKING_GIF), "GIF");
        const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
        return std::vector<BYTE>(bytes, bytes + SizeofResource(nullptr, found));
    }

    CAnimatedPicture m_picture;
};

// The classic one-pixel GIF.
const std::vector<BYTE> kOnePixel = {
    'G', 'I', 'F', '8', '9', 'a',  1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255,  255, 0x21, 0xF9, 4,
    1,   0,   0,   0,   0,   0x2C, 0, 0, 0, 0, 1,    0, 1, 0, 0, 2, 2,   0x44, 1,   0,    0x3B};

} // namespace

TEST_F(AnimatedPicture, TheWorkingAnimationAdvancesOnItsThreadWhichEndsWithTheWindow) {
    ASSERT_TRUE(m_picture.LoadFromResource(MAKEINTRESOURCEA(IDR_WORKING_GIF), "GIF"));
    EXPECT_EQ(m_picture.FrameCount(), 2u);
    RECT size;
    GetWindowRect(m_picture.m_hWnd, &size);
    EXPECT_EQ(size.right - size.left, 32) << "the control takes the picture's size";
    EXPECT_EQ(m_picture.Play(), 0);
    EXPECT_TRUE(m_picture.m_drawThread);
    const DWORD start = GetTickCount();
    while (m_picture.CurrentFrame() == 0 && GetTickCount() - start < 3000)
        Sleep(10);
    EXPECT_EQ(m_picture.CurrentFrame(), 1);
    EXPECT_GE(GetTickCount() - start, 400u) << "each frame stays for its delay";
    DestroyWindow(m_picture.m_hWnd);
    EXPECT_FALSE(m_picture.m_drawThread);
    EXPECT_FALSE(m_picture.IsPlaying());
}

TEST_F(AnimatedPicture, AStillGifOrABitmapIsDrawnOnceWithoutAThread) {
    ASSERT_TRUE(Load(kOnePixel));
    EXPECT_EQ(m_picture.FrameCount(), 0u);
    EXPECT_EQ(m_picture.Play(), 1);
    EXPECT_FALSE(m_picture.m_drawThread);

    std::vector<BYTE> bitmap(14 + 40 + 3 * 4 * 2);
    auto* file = reinterpret_cast<BITMAPFILEHEADER*>(bitmap.data());
    auto* info = reinterpret_cast<BITMAPINFOHEADER*>(bitmap.data() + 14);
    file->bfType = 0x4D42;
    file->bfSize = DWORD(bitmap.size());
    file->bfOffBits = 54;
    *info = {40, 3, 2, 1, 32, BI_RGB, 0, 2835, 2835, 0, 0};
    ASSERT_TRUE(Load(bitmap));
    EXPECT_FALSE(m_picture.m_isGif);
    EXPECT_EQ(m_picture.m_width, 3);
    EXPECT_EQ(m_picture.m_height, 2);
    EXPECT_EQ(m_picture.Play(), 1);
}

TEST_F(AnimatedPicture, ACutStreamKeepsItsWholeFramesAndAStreamWithNoneIsRefused) {
    const std::vector<BYTE> gif = WorkingGif();
    ASSERT_TRUE(Load(std::vector<BYTE>(gif.begin(), gif.end() - 10)));
    EXPECT_EQ(m_picture.FrameCount(), 0u) << "one whole frame left: drawn as a still";
    EXPECT_FALSE(Load(std::vector<BYTE>(gif.begin(), gif.begin() + 40)));
    EXPECT_FALSE(m_picture.m_ready) << "a failed load leaves the control empty";
    EXPECT_EQ(m_picture.Play(), 0);
}

TEST_F(AnimatedPicture, StopDoesNotWaitForTheLongestDelay) {
    std::vector<BYTE> gif = WorkingGif();
    for (size_t i = 0; i + 6 < gif.size(); ++i)
        if (gif[i] == 0x21 && gif[i + 1] == 0xF9 && gif[i + 2] == 4)
            gif[i + 4] = gif[i + 5] = 0xFF;
    ASSERT_TRUE(Load(gif));
    m_picture.Play();
    Sleep(200);
    const DWORD start = GetTickCount();
    m_picture.Stop();
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(m_picture.m_drawThread);
}
