#include "HandCursor.h"

#include <string>

namespace {

using ModuleHandle = UniqueHandle<NullIsInvalid<HMODULE, FreeLibrary>>;

} // namespace

HandCursor::HandCursor() : m_shared(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))) {
    if (m_shared)
        return;
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return;
    const ModuleHandle viewer(LoadLibraryExA((std::string(windows) + "\\winhlp32.exe").c_str(),
                                             nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!viewer)
        return;
    if (const HCURSOR cursor = LoadCursorA(viewer.Get(), MAKEINTRESOURCEA(106)))
        m_copy.Reset(static_cast<HCURSOR>(CopyImage(cursor, IMAGE_CURSOR, 0, 0, 0)));
}
