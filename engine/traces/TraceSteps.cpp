#include "TraceSteps.h"

#include "ShellFolder.h"
#include "Shred.h"

void EmptyShellFolder(int csidl, const char* suffix) {
    std::wstring folder;
    if (ShellFolderPath(csidl, suffix, folder))
        shred::Files(folder, L"*.*", true);
}
