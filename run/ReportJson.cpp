#include "ReportJson.h"

#include "Product.h"
#include "ReportText.h"

#include <string_view>
#include <utility>

namespace {

constexpr unsigned kFormatVersion = 1;

// Writes members and elements with their commas and an indent of two spaces per level. A key
// is nullptr for an element of an array.
class JsonWriter {
public:
    explicit JsonWriter(size_t expected) { m_text.reserve(expected); }

    void Open(const char* key, char bracket) {
        Next(key);
        m_text += bracket;
        ++m_depth;
        m_empty = true;
    }
    void Close(char bracket) {
        --m_depth;
        if (!m_empty)
            NewLine();
        m_text += bracket;
        m_empty = false;
    }
    void Text(const char* key, std::string_view text) {
        Next(key);
        AppendJsonString(m_text, text);
    }
    void Number(const char* key, uint64_t number) {
        Next(key);
        m_text += std::to_string(number);
    }
    void Flag(const char* key, bool flag) {
        Next(key);
        m_text += flag ? "true" : "false";
    }
    std::string Take() { return std::move(m_text); }

private:
    void NewLine() {
        m_text += '\n';
        m_text.append(2 * m_depth, ' ');
    }
    void Next(const char* key) {
        if (!m_empty)
            m_text += ',';
        if (m_depth > 0)
            NewLine();
        if (key) {
            AppendJsonString(m_text, key);
            m_text += ": ";
        }
        m_empty = false;
    }

    std::string m_text;
    size_t m_depth = 0;
    bool m_empty = true;
};

const char* OutcomeName(RunEnd end) {
    switch (end) {
    case RunEnd::Done:
        return "done";
    case RunEnd::PartlyDone:
        return "partly done";
    case RunEnd::Cancelled:
        return "cancelled";
    }
    return "done";
}

void WriteTotals(JsonWriter& json, const RecordTotals& totals) {
    json.Open("totals", '{');
    json.Number("items", totals.items);
    json.Number("files", totals.files);
    json.Number("folders", totals.folders);
    json.Number("keys", totals.keys);
    json.Number("values", totals.values);
    json.Number("left", totals.left);
    json.Number("bytesOverwritten", totals.bytesOverwritten);
    json.Close('}');
}

void WriteStep(JsonWriter& json, const RecordStep& step) {
    json.Open(nullptr, '{');
    json.Text("title", step.title);
    json.Flag("ran", step.ran);
    WriteTotals(json, TotalsOf(step));
    json.Open("removed", '[');
    for (const RecordItem& item : step.removed) {
        json.Open(nullptr, '{');
        json.Text("kind", RecordKindName(item.kind));
        json.Text("place", item.place);
        if (!item.name.empty())
            json.Text("name", item.name);
        if (item.size != 0 || KindHasSize(item.kind))
            json.Number("size", item.size);
        json.Close('}');
    }
    json.Close(']');
    json.Open("left", '[');
    for (const LeftItem& item : step.left) {
        json.Open(nullptr, '{');
        json.Text("place", item.place);
        json.Text("reason", item.reason);
        json.Close('}');
    }
    json.Close(']');
    json.Open("kept", '[');
    for (const std::string& place : step.kept)
        json.Text(nullptr, place);
    json.Close(']');
    json.Close('}');
}

} // namespace

std::string ReportJson(const RunRecord& record) {
    // Room for the keys and indents around each item, so that a record of many items is written
    // without the text moving.
    const RecordTotals totals = TotalsOf(record);
    JsonWriter json(4096 + RecordTextSize(record) * 9 / 8 + (totals.items + totals.left) * 120);
    json.Open(nullptr, '{');
    json.Text("report", VX_PRODUCT_NAME " erasure report");
    json.Number("version", kFormatVersion);
    json.Text("started", record.started);
    json.Text("ended", record.ended);
    json.Text("machine", record.machine);
    json.Text("user", record.user);
    json.Text("program", record.version);
    json.Open("method", '{');
    json.Text("name", record.methodName);
    json.Number("passes", record.passes);
    json.Flag("readBack", record.readBack);
    json.Close('}');
    json.Text("outcome", OutcomeName(record.end));
    json.Text("statement", kErasureStatement);
    json.Open("volumes", '[');
    for (const RecordVolume& volume : record.volumes) {
        json.Open(nullptr, '{');
        json.Text("root", volume.root);
        json.Text("fileSystem", volume.fileSystem);
        json.Close('}');
    }
    json.Close(']');
    WriteTotals(json, totals);
    json.Open("steps", '[');
    for (const RecordStep& step : record.steps)
        WriteStep(json, step);
    json.Close(']');
    json.Open("notes", '[');
    for (const std::string& note : record.notes)
        json.Text(nullptr, note);
    json.Close(']');
    json.Close('}');
    std::string text = json.Take();
    text += '\n';
    return text;
}
