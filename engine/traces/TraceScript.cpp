#include "TraceScript.h"

#include "Removal.h"

#include <shlobj.h>

#include <cstring>

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

// Each base folder is looked up once per script.
class BaseFolders {
public:
    bool Resolve(Base base, CString& folder) {
        const int index = int(base);
        if (!m_looked[index]) {
            m_looked[index] = true;
            m_found[index] = Lookup(base, m_folders[index]);
        }
        folder = m_folders[index];
        return m_found[index];
    }

private:
    static bool Lookup(Base base, CString& folder) {
        if (base == Base::None)
            return true;
        char path[MAX_PATH] = {};
        if (!SHGetSpecialFolderPathA(nullptr, path, Csidl(base), FALSE))
            return false;
        if (base == Base::WindowsDrive) {
            if (char* backslash = std::strchr(path, '\\'))
                *backslash = '\0';
        }
        folder = path;
        return true;
    }

    static constexpr int kBases = int(Base::WindowsDrive) + 1;
    bool m_looked[kBases] = {};
    bool m_found[kBases] = {};
    CString m_folders[kBases];
};

} // namespace

void TraceScript::Run(CVxMain& engine, const TraceStep* script, size_t count) {
    BaseFolders bases;
    for (const TraceStep* step = script; step != script + count; ++step) {
        CString base;
        if (!bases.Resolve(step->base, base)) {
            if (step->kind == TraceStep::RequireBase)
                return;
            continue;
        }
        const CString path = base + step->path;
        if (step->base != Base::None && path.GetLength() >= MAX_PATH)
            continue;
        const HKEY root = RootKey(step->root);
        switch (step->kind) {
        case TraceStep::RegValue:
            (engine.*Primitives::kDelRegValue)(root, path, step->name);
            break;
        case TraceStep::RegKey:
            (engine.*Primitives::kDelRegKey)(root, path, step->name);
            break;
        case TraceStep::RegKeysFromPrefix:
            (engine.*Primitives::kDelRegKeysFromPrefix)(root, path, step->name);
            break;
        case TraceStep::ShredFile:
            engine.ShredFile(path, step->name);
            break;
        case TraceStep::FileType:
            engine.DelFileFromType(path, step->name);
            break;
        case TraceStep::EmptyDirectory:
            engine.EmptyDirectory(path, 0, 1);
            break;
        case TraceStep::ProfileString:
            removal::WriteProfileEntry(path, step->name, step->key, step->text);
            break;
        case TraceStep::RequireBase:
            break;
        }
    }
}
