// The fixed removal scripts of the application trace members, as tables of steps run by one
// interpreter.
#pragma once

#include "VxMain.h"

#include <cstddef>

enum class Root { CurrentUser, Users, ClassesRoot, LocalMachine };

// The shell folder a file step starts from. WindowsDrive is the Windows folder cut at its first
// backslash (the drive letter and colon).
enum class Base { None, ProgramFiles, AppData, Windows, CommonAppData, WindowsDrive };

struct TraceStep {
    enum Kind {
        RegValue,          // DelRegValue(root, path, name)
        RegKey,            // DelRegKey(root, path, name)
        RegKeysFromPrefix, // DelRegKeysFromPrefix(root, path, name)
        ShredFile,         // ShredFile(base + path, name)
        FileType,          // DelFileFromType(base + path, name)
        EmptyDirectory,    // EmptyDirectory(base + path, 0, 1)
        ProfileString,     // WritePrivateProfileString(name, key, text, base + path)
        RequireBase,       // ends the script when the base folder cannot be resolved
    };
    Kind kind;
    Root root;
    Base base;
    const char* path;
    const char* name;
    const char* key;
    const char* text;
};

namespace steps {
constexpr TraceStep Value(Root root, const char* key, const char* value) {
    return {TraceStep::RegValue, root, Base::None, key, value, nullptr, nullptr};
}
constexpr TraceStep Key(Root root, const char* parent, const char* subkey) {
    return {TraceStep::RegKey, root, Base::None, parent, subkey, nullptr, nullptr};
}
constexpr TraceStep KeysFromPrefix(Root root, const char* parent, const char* prefix) {
    return {TraceStep::RegKeysFromPrefix, root, Base::None, parent, prefix, nullptr, nullptr};
}
constexpr TraceStep File(Base base, const char* folder, const char* name) {
    return {TraceStep::ShredFile, Root::CurrentUser, base, folder, name, nullptr, nullptr};
}
constexpr TraceStep Files(Base base, const char* folder, const char* pattern) {
    return {TraceStep::FileType, Root::CurrentUser, base, folder, pattern, nullptr, nullptr};
}
constexpr TraceStep Folder(Base base, const char* folder) {
    return {TraceStep::EmptyDirectory, Root::CurrentUser, base, folder, nullptr, nullptr, nullptr};
}
// A null key removes the whole section; a null text removes the key.
constexpr TraceStep Profile(Base base, const char* file, const char* section, const char* key,
                            const char* text) {
    return {TraceStep::ProfileString, Root::CurrentUser, base, file, section, key, text};
}
constexpr TraceStep Require(Base base) {
    return {TraceStep::RequireBase, Root::CurrentUser, base, "", nullptr, nullptr, nullptr};
}
} // namespace steps

// Runs the steps in order. A step whose base folder cannot be resolved is skipped. File steps
// work on the system's own names of the base folders, whatever their length.
class TraceScript {
public:
    template <size_t N> static void Run(CVxMain& engine, const TraceStep (&script)[N]) {
        Run(engine, script, N);
    }
    static void Run(CVxMain& engine, const TraceStep* script, size_t count);
};
