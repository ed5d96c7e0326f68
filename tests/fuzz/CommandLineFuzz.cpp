// libFuzzer target: nvc's arguments (the input split at zeros) and the stored selection values.
// Whatever the arguments, every user-defined item of an accepted request is safe to run, and a
// selection names catalogue entries only; any six stored values unpack to bits that pack back
// to their low 16 bits.
#include "Catalogue.h"
#include "CommandLine.h"
#include "UserItem.h"
#include "UserItemParser.h"

#include <cstdlib>
#include <cstring>

namespace {

SelectionMask CatalogueBits() {
    SelectionMask bits;
    for (const CatalogueEntry& entry : kCatalogue)
        bits |= SelectionBit(entry.bit);
    return bits;
}

void Check(bool holds) {
    if (!holds)
        std::abort();
}

void CheckSelectionValues(const uint8_t* data, size_t size) {
    StoredSelection values{};
    std::memcpy(values.data(), data, std::min(size, sizeof values));
    const StoredSelection packed = PackSelection(UnpackSelection(values));
    for (size_t i = 0; i < values.size(); ++i)
        Check(packed[i] == (values[i] & 0xFFFF));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckSelectionValues(data, size);
    std::vector<std::string> arguments;
    const char* text = reinterpret_cast<const char*>(data);
    for (size_t begin = 0; begin <= size;) {
        const void* zero = std::memchr(text + begin, 0, size - begin);
        const size_t end = zero ? size_t(static_cast<const char*>(zero) - text) : size;
        arguments.emplace_back(text + begin, end - begin);
        begin = end + 1;
    }
    const auto parsed = ParseCommandLine(arguments);
    const CliRequest* request = std::get_if<CliRequest>(&parsed);
    if (!request)
        return 0;
    Check((request->selection & ~CatalogueBits()).none());
    for (const std::string& item : request->items) {
        UserItemRun run;
        Check(ParseUserItem(item.c_str(), run));
        Check(CheckFolder(run.folder) == FolderCheck::FullPath);
        for (const CString& pattern : run.patterns)
            Check(IsPatternInsideFolder(pattern));
    }
    return 0;
}
