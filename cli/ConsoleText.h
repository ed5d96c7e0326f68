// Text for nvc's standard output and standard error, with names as the system spells them: UTF-16
// to a console, UTF-8 when the output is redirected to a file or a pipe.
#pragma once

#include <windows.h>

#include <string>

// Writes UTF-8 text to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
void WriteText(DWORD stream, const std::string& utf8);
// ANSI text of the program (stored items, progress lines) as UTF-8.
std::string Utf8OfAnsi(const char* ansi);
