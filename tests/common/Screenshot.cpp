#include "Screenshot.h"

#include <set>
#include <string>

size_t SaveScreenshot(HWND window, const char* name) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
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
    HANDLE file = CreateFileA((std::string("C:\\Norvexa\\artifacts\\") + name + ".bmp").c_str(),
                              GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, &header, sizeof header, &written, nullptr);
    WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(file, bits, DWORD(width * height * 4), &written, nullptr);
    CloseHandle(file);

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colours.size();
}
