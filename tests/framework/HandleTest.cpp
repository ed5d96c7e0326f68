// The one owner of every handle: each handle is closed exactly once, whoever ends up with it,
// and closing leaves the caller's last-error code alone.
#include "WindowHandle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> g_closed;

struct CountedTraits {
    using Type = int;
    static int Invalid() { return 0; }
    static void Close(int handle) {
        g_closed.push_back(handle);
        SetLastError(ERROR_INVALID_HANDLE);
    }
};
using Counted = UniqueHandle<CountedTraits>;

} // namespace

TEST(UniqueHandle, EveryHandleIsClosedOnceWhereverItWentAndTheLastErrorStays) {
    g_closed.clear();
    {
        Counted first(1);
        first.Reset(2);
        EXPECT_EQ(g_closed, std::vector<int>{1}) << "reset closes the old handle";
        Counted second(std::move(first));
        EXPECT_FALSE(first);
        Counted third(3);
        third = std::move(second);
        EXPECT_EQ(g_closed, (std::vector<int>{1, 3})) << "a move closes what it replaces";
        const int released = Counted(4).Release();
        EXPECT_EQ(released, 4);
        *third.Put() = 5;
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND)) << "cleanup keeps the caller's error";
    EXPECT_EQ(g_closed, (std::vector<int>{1, 3, 2, 5}))
        << "Put closes before it hands out the slot; nothing is closed twice or after Release";
}

TEST(UniqueHandle, RealHandlesOfEachKindAreClosed) {
    KernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    HANDLE duplicate = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), event.Get(), GetCurrentProcess(), &duplicate,
                                0, FALSE, DUPLICATE_SAME_ACCESS));
    KernelHandle copy(duplicate);
    const HANDLE raw = event.Get();
    event.Reset();
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags)) << "the event's handle is closed";
    EXPECT_TRUE(GetHandleInformation(copy.Get(), &flags)) << "its duplicate is not";

    FileHandle none;
    EXPECT_FALSE(none) << "a file owner's nothing is INVALID_HANDLE_VALUE";
    EXPECT_EQ(none.Get(), INVALID_HANDLE_VALUE);

    GdiObject<HBITMAP> bitmap(CreateBitmap(2, 2, 1, 32, nullptr));
    const HBITMAP rawBitmap = bitmap.Get();
    bitmap.Reset();
    BITMAP info;
    EXPECT_EQ(GetObjectA(rawBitmap, sizeof info, &info), 0) << "the bitmap is deleted";
}
