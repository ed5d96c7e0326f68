#include "ReportText.h"

#include <cstdio>
#include <iterator>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

struct Sequence {
    size_t length;
    bool valid;
};

// The well-formed sequence at `at`, or the longest start of one (at least one byte), which then
// stands for one U+FFFD. The ranges of the second byte rule out overlong forms (after E0 and
// F0), surrogates (after ED) and code points past U+10FFFF (after F4).
Sequence SequenceAt(std::string_view text, size_t at) {
    const unsigned char lead = text[at];
    if (lead < 0x80)
        return {1, true};
    size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {1, false};
    }
    for (size_t next = 1; next < length; ++next) {
        if (at + next >= text.size())
            return {next, false};
        const unsigned char byte = text[at + next];
        if (byte < low || byte > high)
            return {next, false};
        low = 0x80;
        high = 0xBF;
    }
    return {length, true};
}

bool IsLineOrParagraphSeparator(std::string_view sequence) {
    return sequence == "\xE2\x80\xA8" || sequence == "\xE2\x80\xA9";
}

} // namespace

const char* RecordKindName(RecordKind kind) {
    switch (kind) {
    case RecordKind::File:
        return "file";
    case RecordKind::Folder:
        return "folder";
    case RecordKind::Key:
        return "key";
    case RecordKind::Value:
        return "value";
    case RecordKind::BlankedValue:
        return "blanked value";
    case RecordKind::ProfileEntry:
        return "settings entry";
    case RecordKind::CacheEntry:
        return "cache entry";
    case RecordKind::HistoryStore:
        return "history store";
    case RecordKind::RecycleBin:
        return "recycle bin";
    case RecordKind::Clipboard:
        return "clipboard";
    case RecordKind::FreeSpace:
        return "free space";
    case RecordKind::Rows:
        return "rows";
    }
    return "item";
}

bool KindHasSize(RecordKind kind) {
    return kind == RecordKind::File || kind == RecordKind::Value ||
           kind == RecordKind::CacheEntry || kind == RecordKind::RecycleBin ||
           kind == RecordKind::FreeSpace;
}

size_t RecordTextSize(const RunRecord& record) {
    size_t size = 0;
    for (const RecordStep& step : record.steps) {
        size += step.title.size();
        for (const RecordItem& item : step.removed)
            size += item.place.size() + item.name.size();
        for (const LeftItem& item : step.left)
            size += item.place.size() + item.reason.size();
        for (const std::string& place : step.kept)
            size += place.size();
    }
    for (const RecordVolume& volume : record.volumes)
        size += volume.root.size() + volume.fileSystem.size();
    for (const std::string& note : record.notes)
        size += note.size();
    return size;
}

namespace {

// Calls `escape` with each well-formed sequence of the text, in order, and puts U+FFFD in `out`
// for each byte or cut sequence that is not one.
template <typename Escape>
void EachSequence(std::string& out, std::string_view text, Escape escape) {
    for (size_t at = 0; at < text.size();) {
        const Sequence sequence = SequenceAt(text, at);
        if (sequence.valid)
            escape(text.substr(at, sequence.length));
        else
            out += kReplacement;
        at += sequence.length;
    }
}

} // namespace

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    EachSequence(valid, text, [&](std::string_view bytes) { valid += bytes; });
    return valid;
}

void AppendJsonString(std::string& out, std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    EachSequence(out, text, [&](std::string_view bytes) {
        if (IsLineOrParagraphSeparator(bytes)) {
            out += bytes == "\xE2\x80\xA8" ? "\\u2028" : "\\u2029";
            return;
        }
        const unsigned char c = bytes[0];
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += bytes;
            }
        }
    });
    out += '"';
}

void AppendHtmlText(std::string& out, std::string_view text) {
    EachSequence(out, text, [&](std::string_view bytes) {
        const unsigned char c = bytes[0];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case 0x7F:
            out += "\xE2\x90\xA1";
            break;
        default:
            if (c < 0x20) {
                out += "\xE2\x90";
                out += char(0x80 + c);
            } else {
                out += bytes;
            }
        }
    });
}
