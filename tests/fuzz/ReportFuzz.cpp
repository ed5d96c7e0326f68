// libFuzzer target: the erasure report. The input, cut at each zero, fills a record: the first
// six pieces its times, machine, user, version and method, each further piece a step, an item
// removed or left, a volume or a note, as its first byte says, with two texts split at the first
// 0x01. The JSON must parse and give back each text as that text made valid UTF-8, which
// changes the text if and only if it was not UTF-8. The HTML must hold each text escaped, and
// hold as many '<' and '>' as the page of the same record with every text a plain "x".
#include "ReportHtml.h"
#include "ReportJson.h"
#include "ReportText.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace {

using nlohmann::json;

void Check(bool holds) {
    if (!holds)
        std::abort();
}

void AddPiece(RunRecord& record, std::string_view piece) {
    const unsigned char selector = piece.empty() ? 0 : piece[0];
    const std::string_view rest = piece.substr(std::min<size_t>(1, piece.size()));
    const size_t cut = rest.find('\x01');
    const std::string first(rest.substr(0, cut));
    const std::string second(cut == std::string_view::npos ? "" : rest.substr(cut + 1));
    if (selector % 5 == 0 || (selector % 5 < 3 && record.steps.empty()))
        record.steps.push_back({});
    RecordStep& step = record.steps.back();
    switch (selector % 5) {
    case 0:
        step.title = first;
        step.ran = selector & 0x80;
        step.bytesOverwritten = uint64_t(second.size()) << (selector & 63);
        break;
    case 1:
        step.removed.push_back({RecordKind(selector / 5 % 12), first, second,
                                uint64_t(first.size()) << selector % 40});
        break;
    case 2:
        step.left.push_back({first, second});
        break;
    case 3:
        record.volumes.push_back({first, second});
        break;
    default:
        record.notes.emplace_back(rest);
    }
}

RunRecord RecordOf(std::string_view input) {
    RunRecord record;
    std::string* const header[] = {&record.started, &record.ended,   &record.machine,
                                   &record.user,    &record.version, &record.methodName};
    size_t piece = 0;
    for (size_t at = 0; at <= input.size(); ++piece) {
        const size_t end = std::min(input.find('\0', at), input.size());
        if (piece < std::size(header))
            *header[piece] = input.substr(at, end - at);
        else
            AddPiece(record, input.substr(at, end - at));
        at = end + 1;
    }
    record.passes = unsigned(piece);
    record.readBack = piece % 2;
    record.end = RunEnd(input.size() % 3);
    return record;
}

// Every text of the record but its times, which the page shows with a space for the 'T'.
template <typename Visit> void ForEachText(RunRecord& record, Visit visit) {
    for (std::string* text : {&record.machine, &record.user, &record.version, &record.methodName})
        visit(*text);
    for (RecordStep& step : record.steps) {
        visit(step.title);
        for (RecordItem& item : step.removed) {
            visit(item.place);
            visit(item.name);
        }
        for (LeftItem& item : step.left) {
            visit(item.place);
            visit(item.reason);
        }
    }
    for (RecordVolume& volume : record.volumes) {
        visit(volume.root);
        visit(volume.fileSystem);
    }
    for (std::string& note : record.notes)
        visit(note);
}

// The JSON library refuses to write a string that is not strict UTF-8.
bool IsUtf8(const std::string& text) {
    try {
        (void)json(text).dump();
        return true;
    } catch (const json::type_error&) {
        return false;
    }
}

void CheckText(const json& value, const std::string& text) {
    const std::string valid = ValidUtf8(text);
    Check(IsUtf8(valid));
    Check(IsUtf8(text) == (valid == text));
    Check(value.is_string() && value.get<std::string>() == valid);
}

void CheckJson(const RunRecord& record) {
    const json report = json::parse(ReportJson(record));
    CheckText(report["started"], record.started);
    CheckText(report["ended"], record.ended);
    CheckText(report["machine"], record.machine);
    CheckText(report["user"], record.user);
    CheckText(report["program"], record.version);
    CheckText(report["method"]["name"], record.methodName);
    Check(report["totals"]["items"] == TotalsOf(record).items);
    Check(report["steps"].size() == record.steps.size());
    for (size_t s = 0; s < record.steps.size(); ++s) {
        const RecordStep& step = record.steps[s];
        const json& written = report["steps"][s];
        CheckText(written["title"], step.title);
        Check(written["removed"].size() == step.removed.size());
        for (size_t i = 0; i < step.removed.size(); ++i) {
            const json& item = written["removed"][i];
            CheckText(item["place"], step.removed[i].place);
            Check(item.contains("name") != step.removed[i].name.empty());
            if (item.contains("name"))
                CheckText(item["name"], step.removed[i].name);
            Check(item.value("size", uint64_t(0)) == step.removed[i].size);
        }
        Check(written["left"].size() == step.left.size());
        for (size_t i = 0; i < step.left.size(); ++i) {
            CheckText(written["left"][i]["place"], step.left[i].place);
            CheckText(written["left"][i]["reason"], step.left[i].reason);
        }
    }
    Check(report["volumes"].size() == record.volumes.size());
    for (size_t i = 0; i < record.volumes.size(); ++i) {
        CheckText(report["volumes"][i]["root"], record.volumes[i].root);
        CheckText(report["volumes"][i]["fileSystem"], record.volumes[i].fileSystem);
    }
    Check(report["notes"].size() == record.notes.size());
    for (size_t i = 0; i < record.notes.size(); ++i)
        CheckText(report["notes"][i], record.notes[i]);
}

// Each '&' starts one of the entities the escape writes.
bool AmpersandsStartEntities(std::string_view text) {
    for (size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
        const std::string_view from = text.substr(at);
        bool entity = false;
        for (std::string_view name : {"&amp;", "&lt;", "&gt;", "&quot;", "&#39;"})
            entity = entity || from.substr(0, name.size()) == name;
        if (!entity)
            return false;
    }
    return true;
}

void CheckHtml(RunRecord record) {
    const std::string page = ReportHtml(record);
    Check(AmpersandsStartEntities(page));
    ForEachText(record, [&page](std::string& text) {
        std::string escaped;
        AppendHtmlText(escaped, text);
        Check(escaped.find_first_of("<>\"'") == std::string::npos);
        Check(page.find(escaped) != std::string::npos);
    });
    ForEachText(record, [](std::string& text) { text = "x"; });
    record.started = record.ended = "x";
    const std::string plain = ReportHtml(record);
    for (char markup : {'<', '>'})
        Check(std::count(page.begin(), page.end(), markup) ==
              std::count(plain.begin(), plain.end(), markup));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RunRecord record = RecordOf(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckJson(record);
    CheckHtml(record);
    return 0;
}
