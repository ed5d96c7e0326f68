// The text both forms of the erasure report share: the statement of what the erasure reaches,
// the words for the kinds of item, a size as a person reads it, and the escaping of text from
// the record. The record's text comes from the system (file and value names, registry paths) and
// may hold any bytes, so every escape first makes it valid UTF-8: each byte that cannot start or
// continue a well-formed sequence, and each sequence cut short, becomes one U+FFFD.
#pragma once

#include "RunRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr char kErasureStatement[] =
    "Each file listed as removed was overwritten where it lay, by the method above, then cut to "
    "nothing, renamed and deleted; registry keys and values, settings entries and cache entries "
    "listed were deleted by the system's own calls. This clears the logical addresses the files "
    "took on their volumes: the level NIST SP 800-88 calls Clear, which protects against "
    "recovery through the file system and ordinary disk tools. It does not reach copies kept "
    "elsewhere: shadow copies and restore points, backups, the page and hibernation files, "
    "copies synchronised to other machines, nor blocks that a flash drive or solid-state disk "
    "has remapped or set aside, which only a Purge of the whole device (its own secure erase) "
    "reaches. It is no Purge or Destroy of any medium.";

// "file", "blanked value", "settings entry", ...
const char* RecordKindName(RecordKind kind);
// Whether the kind's size means something even when it is 0, as an empty file's does.
bool KindHasSize(RecordKind kind);

// The bytes of all the record's text, from which the writers reserve their output.
size_t RecordTextSize(const RunRecord& record);

// Overlong forms, surrogates and code points past U+10FFFF are not well-formed.
std::string ValidUtf8(std::string_view text);
// The text as a JSON string, quotes included. Besides '"', '\' and the control characters it
// escapes U+2028 and U+2029, which end a line in JavaScript.
void AppendJsonString(std::string& out, std::string_view text);
// The text for HTML content or a quoted attribute value. Control characters, which a page would
// not show, are shown by their pictures (U+2400 to U+2421).
void AppendHtmlText(std::string& out, std::string_view text);
