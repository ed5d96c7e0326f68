#include "TraceSteps.h"

#include "ShellFolder.h"

void EmptyShellFolder(CVxMain& engine, int csidl, const char* suffix) {
    CString folder;
    if (ShellFolderPath(csidl, suffix, folder))
        engine.EmptyDirectory(folder, 0, 1);
}
