#include "Screenshot.h"

#include "WindowHandle.h"

#include <set>
#include <string>

size_t SaveScreenshot(HWND window, const char* name) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    const MemoryDcHandle memoryDc(CreateCompatibleDC(screen));
    const HDC memory = memoryDc.Get();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const GdiObject<HBITMAP> bitmap(
        CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const HGDIOBJ old = SelectObject(memory, bitmap.Get());
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();

    // GDI leaves the fourth byte of a pixel at zero, which viewers take for transparency.
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels[i] |= 0xFF000000;
    const std::set<DWORD> colours(pixels, pixels + width * height);

    CreateDirectoryA("C:\\Norvexa\\artifacts", nullptr);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + DWORD(width * height * 4);
    const FileHandle file(
        CreateFileA((std::string("C:\\Norvexa\\artifacts\\") + name + ".bmp").c_str(),
                    GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), &header, sizeof header, &written, nullptr);
    WriteFile(file.Get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(file.Get(), bits, DWORD(width * height * 4), &written, nullptr);

    SelectObject(memory, old);
    ReleaseDC(nullptr, screen);
    return colours.size();
}
