#include "ReportHtml.h"

#include "Product.h"
#include "ReportText.h"
#include "SizeText.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

constexpr char kHead[] = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Erasure report</title>
<style>
body { font-family: sans-serif; line-height: 1.4; color: #000; background: #fff;
  max-width: 60em; margin: 2em auto; padding: 0 1em; }
table { border-collapse: collapse; width: 100%; margin: 0.5em 0; }
th, td { border: 1px solid #888; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }
td { overflow-wrap: anywhere; }
.summary th { width: 11em; }
.size { text-align: right; white-space: nowrap; }
.statement { border: 2px solid #000; padding: 0.6em 1em; }
summary { cursor: pointer; margin: 0.5em 0; }
@media print {
  body { max-width: none; margin: 0; padding: 0; font-size: 10pt; }
  h2, h3 { break-after: avoid; }
  tr { break-inside: avoid; }
  summary { list-style: none; }
}
</style>
</head>
<body>
<h1>Erasure report</h1>
)";

void Element(std::string& out, const char* tag, std::string_view text) {
    out += '<';
    out += tag;
    out += '>';
    AppendHtmlText(out, text);
    out += "</";
    out += tag;
    out += ">\n";
}

void SummaryRow(std::string& out, const char* label, std::string_view text) {
    out += "<tr><th>";
    out += label;
    out += "</th><td>";
    AppendHtmlText(out, text);
    out += "</td></tr>\n";
}

std::string Counted(uint64_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// "1,610,612,736 bytes".
std::string ExactBytes(uint64_t bytes) {
    const std::string digits = std::to_string(bytes);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text + (bytes == 1 ? " byte" : " bytes");
}

// "1.5 GB (1,610,612,736 bytes)", or "512 bytes" where the two are the same.
std::string BytesText(uint64_t bytes) {
    const std::string exact = ExactBytes(bytes);
    const std::string human = SizeText(bytes);
    return human == exact ? exact : human + " (" + exact + ')';
}

// "2026-12-09T05:30:12+01:00" as "2026-12-09 05:30:12 +01:00"; other text as it is.
std::string DateTimeText(const std::string& stamp) {
    if (stamp.size() < 19 || stamp[10] != 'T')
        return stamp;
    std::string text = stamp.substr(0, 10) + ' ' + stamp.substr(11, 8);
    if (stamp.size() > 19)
        text += ' ' + stamp.substr(19);
    return text;
}

std::string MethodText(const RunRecord& record) {
    return record.methodName + " (" + Counted(record.passes, "pass", "passes") +
           (record.readBack ? ", the last read back and checked)" : ", none read back)");
}

std::string OutcomeText(RunEnd end, uint64_t left) {
    switch (end) {
    case RunEnd::Done:
        return "Done";
    case RunEnd::PartlyDone:
        return "Partly done: " + Counted(left, "item was", "items were") + " left";
    case RunEnd::Cancelled:
        return "Cancelled";
    }
    return "Done";
}

// "12 items: 3 files, 1 folder, 2 keys, 4 values".
std::string RemovedText(const RecordTotals& totals) {
    return Counted(totals.items, "item", "items") + ": " + Counted(totals.files, "file", "files") +
           ", " + Counted(totals.folders, "folder", "folders") + ", " +
           Counted(totals.keys, "key", "keys") + ", " + Counted(totals.values, "value", "values");
}

void WriteSummary(std::string& out, const RunRecord& record) {
    const RecordTotals totals = TotalsOf(record);
    out += "<table class=\"summary\">\n";
    SummaryRow(out, "Started", DateTimeText(record.started));
    SummaryRow(out, "Ended", DateTimeText(record.ended));
    SummaryRow(out, "Machine", record.machine);
    SummaryRow(out, "User", record.user);
    SummaryRow(out, "Program", VX_PRODUCT_NAME " " + record.version);
    SummaryRow(out, "Method", MethodText(record));
    SummaryRow(out, "Outcome", OutcomeText(record.end, totals.left));
    SummaryRow(out, "Removed", RemovedText(totals));
    SummaryRow(out, "Left", Counted(totals.left, "item", "items"));
    SummaryRow(out, "Overwritten", BytesText(totals.bytesOverwritten));
    out += "</table>\n";
}

// A table of the rows with the given headings; each cell's text is escaped.
template <typename Rows, typename Cells>
void WriteTable(std::string& out, std::initializer_list<const char*> headings, const Rows& rows,
                Cells cells) {
    out += "<table>\n<thead><tr>";
    for (const char* heading : headings)
        out += std::string("<th>") + heading + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (const auto& row : rows) {
        out += "<tr>";
        for (const std::string_view cell : cells(row)) {
            out += "<td>";
            AppendHtmlText(out, cell);
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
}

void WriteVolumes(std::string& out, const std::vector<RecordVolume>& volumes) {
    out += "<h2>Volumes</h2>\n";
    if (volumes.empty()) {
        out += "<p>No volume was written to.</p>\n";
        return;
    }
    WriteTable(out, {"Volume", "File system"}, volumes, [](const RecordVolume& volume) {
        return std::vector<std::string_view>{volume.root, volume.fileSystem};
    });
}

void WriteRemoved(std::string& out, const std::vector<RecordItem>& removed) {
    out += "<details>\n<summary>" + Counted(removed.size(), "item", "items") +
           " removed</summary>\n<table>\n<thead><tr><th>Kind</th><th>Place</th><th>Name</th>"
           "<th class=\"size\">Size</th></tr></thead>\n<tbody>\n";
    for (const RecordItem& item : removed) {
        out += "<tr><td>";
        out += RecordKindName(item.kind);
        out += "</td><td>";
        AppendHtmlText(out, item.place);
        out += "</td><td>";
        AppendHtmlText(out, item.name);
        out += "</td><td class=\"size\">";
        if (item.size != 0 || KindHasSize(item.kind))
            out += SizeText(item.size);
        out += "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n</details>\n";
}

void WriteStep(std::string& out, const RecordStep& step) {
    const RecordTotals totals = TotalsOf(step);
    out += "<section>\n";
    Element(out, "h3", step.title);
    if (step.ran)
        Element(out, "p",
                "Removed " + RemovedText(totals) + "; left " +
                    Counted(totals.left, "item", "items") + "; overwritten " +
                    BytesText(totals.bytesOverwritten) + '.');
    else
        out += "<p>Did not run.</p>\n";
    if (!step.left.empty())
        WriteTable(out, {"Left", "Why"}, step.left, [](const LeftItem& item) {
            return std::vector<std::string_view>{item.place, item.reason};
        });
    if (!step.kept.empty())
        WriteTable(out, {"Kept, as the keep list asks"}, step.kept,
                   [](const std::string& place) { return std::vector<std::string_view>{place}; });
    if (!step.removed.empty())
        WriteRemoved(out, step.removed);
    out += "</section>\n";
}

} // namespace

std::string ReportHtml(const RunRecord& record) {
    // Room for the markup around each item, so that a record of many items is written without
    // the page moving.
    const RecordTotals totals = TotalsOf(record);
    std::string out;
    out.reserve(8192 + RecordTextSize(record) * 9 / 8 + (totals.items + totals.left) * 100);
    out += kHead;
    WriteSummary(out, record);
    out += "<p class=\"statement\">";
    AppendHtmlText(out, kErasureStatement);
    out += "</p>\n";
    WriteVolumes(out, record.volumes);
    out += "<h2>Steps</h2>\n";
    if (record.steps.empty())
        out += "<p>The run had no step.</p>\n";
    for (const RecordStep& step : record.steps)
        WriteStep(out, step);
    if (!record.notes.empty()) {
        out += "<h2>Notes</h2>\n<ul>\n";
        for (const std::string& note : record.notes)
            Element(out, "li", note);
        out += "</ul>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}
