// libFuzzer target: the extended form of paths and the joining of a folder and a name. The input
// is read as UTF-16 units, split at the first zero into a path and a name. An extended path is
// within the system's limit, holds no name that the extended form would take literally ("." or
// "..", empty, a forward slash), goes back to the ordinary path it came from and stays as it is
// when extended again; a joined name is the last name of the result.
#include "PathText.h"

#include <cstdlib>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds)
        std::abort();
}

bool HoldsALiteralName(const std::wstring& extended) {
    const size_t names = extended.compare(0, 8, L"\\\\?\\UNC\\") == 0 ? 8 : 7;
    for (size_t start = names; start < extended.size();) {
        size_t end = extended.find(L'\\', start);
        if (end == std::wstring::npos)
            end = extended.size();
        const std::wstring name = extended.substr(start, end - start);
        if (name.empty() || path::IsDotName(name) || name.find(L'/') != std::wstring::npos)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += wchar_t(data[i] | data[i + 1] << 8);
    const size_t zero = text.find(L'\0');
    const std::wstring given = text.substr(0, zero);
    const std::wstring name = zero == std::wstring::npos ? L"" : text.substr(zero + 1);

    const std::wstring extended = path::Extended(given);
    if (!extended.empty()) {
        Check(extended.compare(0, 4, L"\\\\?\\") == 0);
        Check(extended.size() <= path::kMaxLength);
        Check(!HoldsALiteralName(extended));
        Check(path::Extended(extended) == extended);
        if (given.compare(0, 4, L"\\\\?\\") != 0)
            Check(path::Ordinary(extended) == given);
        path::OrdinaryFormReaches(extended);
    }

    if (!name.empty() && name.find(L'\\') == std::wstring::npos && !path::IsDotName(name)) {
        const std::wstring joined = path::Join(given, name);
        Check(joined.substr(path::NameStart(joined)) == name);
        Check(joined.compare(0, given.size(), given) == 0);
        const std::wstring inner = path::Join(extended, name);
        if (!extended.empty() && name.find(L'/') == std::wstring::npos)
            Check(inner.size() > path::kMaxLength || path::Extended(inner) == inner);
    }
    return 0;
}
