#include "TraceScript.h"

#include "FileSystem.h"
#include "PathText.h"
#include "Removal.h"
#include "ShellFolder.h"
#include "Shred.h"

#include <shlobj.h>

namespace {

// The registry primitives are protected members of the engine, which a class derived from it
// may name; the script calls them on the engine it runs for.
struct Primitives : CVxMain {
    static constexpr auto kDelRegValue = &Primitives::DelRegValue;
    static constexpr auto kDelRegKey = &Primitives::DelRegKey;
    static constexpr auto kDelRegKeysFromPrefix = &Primitives::DelRegKeysFromPrefix;
};

HKEY RootKey(Root root) {
    switch (root) {
    case Root::Users:
        return HKEY_USERS;
    case Root::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case Root::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case Root::CurrentUser:
        break;
    }
    return HKEY_CURRENT_USER;
}

int Csidl(Base base) {
    switch (base) {
    case Base::ProgramFiles:
        return CSIDL_PROGRAM_FILES;
    case Base::AppData:
        return CSIDL_APPDATA;
    case Base::CommonAppData:
        return CSIDL_COMMON_APPDATA;
    case Base::Windows:
    case Base::WindowsDrive:
    case Base::None:
        break;
    }
    return CSIDL_WINDOWS;
}

// Each base folder is looked up once per script, as the system spells it.
class BaseFolders {
public:
    bool Resolve(Base base, std::wstring& folder) {
        const int index = int(base);
        if (!m_looked[index]) {
            m_looked[index] = true;
            m_found[index] = Lookup(base, m_folders[index]);
        }
        folder = m_folders[index];
        return m_found[index];
    }

private:
    static bool Lookup(Base base, std::wstring& folder) {
        if (base == Base::None)
            return true;
        if (!ShellFolder(Csidl(base), folder))
            return false;
        if (base == Base::WindowsDrive)
            folder = folder.substr(0, folder.find(L'\\'));
        return true;
    }

    static constexpr int kBases = int(Base::WindowsDrive) + 1;
    bool m_looked[kBases] = {};
    bool m_found[kBases] = {};
    std::wstring m_folders[kBases];
};

// A settings file is written through the ANSI calls: its path must spell it exactly.
void WriteProfileEntry(const std::wstring& path, const TraceStep& step) {
    std::wstring full;
    std::string file;
    if (fs::SystemPath(path, full) && fs::ToAnsi(path::Ordinary(full), file))
        removal::WriteProfileEntry(file.c_str(), step.name, step.key, step.text);
}

} // namespace

void TraceScript::Run(CVxMain& engine, const TraceStep* script, size_t count) {
    BaseFolders bases;
    for (const TraceStep* step = script; step != script + count; ++step) {
        std::wstring base, folder;
        if (!bases.Resolve(step->base, base)) {
            if (step->kind == TraceStep::RequireBase)
                return;
            continue;
        }
        const HKEY root = RootKey(step->root);
        const std::wstring path = base + fs::FromAnsi(step->path);
        switch (step->kind) {
        case TraceStep::RegValue:
            (engine.*Primitives::kDelRegValue)(root, step->path, step->name);
            break;
        case TraceStep::RegKey:
            (engine.*Primitives::kDelRegKey)(root, step->path, step->name);
            break;
        case TraceStep::RegKeysFromPrefix:
            (engine.*Primitives::kDelRegKeysFromPrefix)(root, step->path, step->name);
            break;
        case TraceStep::ShredFile:
        case TraceStep::FileType:
            if (shred::EnteringFolder(path, folder))
                shred::Files(folder, fs::FromAnsi(step->name), false);
            break;
        case TraceStep::EmptyDirectory:
            if (shred::EnteringFolder(path, folder))
                shred::Files(folder, L"*.*", true);
            break;
        case TraceStep::ProfileString:
            WriteProfileEntry(path, *step);
            break;
        case TraceStep::RequireBase:
            break;
        }
    }
}
