// The erasure report's two forms: text from the system, however odd, comes back whole from the
// JSON and cannot break out of the HTML; bytes that are not UTF-8 become U+FFFD; a record with
// nothing in it still makes a whole report.
#include "ReportHtml.h"
#include "ReportJson.h"
#include "ReportText.h"
#include "SizeText.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";
const std::string kBreakout = "</td><script>alert('x')</script>";
const std::string kQuoted = "a \"quoted\" \\path\\ with\ttab\x01 and\nline \xE2\x80\xA8";
const std::string kNonAscii = "Αρχεία 文件 \xF0\x9F\x97\x91";

RunRecord SampleRecord() {
    RunRecord record;
    record.started = "2026-12-09T05:30:12+01:00";
    record.machine = kBreakout;
    record.user = "bad \xC0\xAF user";
    record.version = "3.2.0.7";
    record.methodName = "Three passes";
    record.passes = 3;
    record.readBack = true;
    record.end = RunEnd::PartlyDone;
    RecordStep step;
    step.title = kNonAscii;
    step.ran = true;
    step.bytesOverwritten = UINT64_MAX;
    step.removed = {{RecordKind::File, "C:\\" + kNonAscii, "", 0},
                    {RecordKind::Value, "HKEY_CURRENT_USER\\Software", kQuoted, 8},
                    {RecordKind::BlankedValue, "HKEY_CURRENT_USER\\Software", "Recent", 0},
                    {RecordKind::Key, "HKEY_CURRENT_USER\\Software\\Vx", "", 0},
                    {RecordKind::Clipboard, "Clipboard", "", 0}};
    step.left = {{kBreakout, "in use"}, {"C:\\b", "denied"}};
    RecordStep shown;
    shown.title = "Shown only";
    record.steps = {step, shown};
    record.notes = {kQuoted};
    return record;
}

} // namespace

TEST(ReportText, RepairsEachBadSequenceAndKeepsGoodOnes) {
    EXPECT_EQ(ValidUtf8(kNonAscii), kNonAscii);
    EXPECT_EQ(ValidUtf8("\xEF\xBF\xBD"), kReplacement) << "a real U+FFFD stays one";
    EXPECT_EQ(ValidUtf8("a\xC0\xAF"
                        "b"),
              "a" + kReplacement + kReplacement + "b")
        << "overlong";
    EXPECT_EQ(ValidUtf8("\xE0\x80\x80"), kReplacement + kReplacement + kReplacement);
    EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement) << "surrogate";
    EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"),
              kReplacement + kReplacement + kReplacement + kReplacement)
        << "past U+10FFFF";
    EXPECT_EQ(ValidUtf8("\xF4\x8F\xBF\xBF"), "\xF4\x8F\xBF\xBF") << "U+10FFFF itself";
    EXPECT_EQ(ValidUtf8("x\xE2\x82"), "x" + kReplacement) << "a sequence cut short is one";
    EXPECT_EQ(ValidUtf8("\xE2\x82x"), kReplacement + "x");
    EXPECT_EQ(ValidUtf8("\x80\xFF"), kReplacement + kReplacement);
    EXPECT_EQ(ValidUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ReportText, EscapesJsonAndHtml) {
    const char raw[] = "\"\\\x01\x1F\b\n\xE2\x80\xA8\xE2\x80\xA9\x7F\0";
    std::string json;
    AppendJsonString(json, std::string(raw, sizeof raw - 1));
    EXPECT_EQ(json, std::string("\"\\\"\\\\\\u0001\\u001f\\b\\n\\u2028\\u2029\x7F\\u0000\""));
    std::string html;
    AppendHtmlText(html, "<a href='x'>&amp;\"\t\x7F");
    EXPECT_EQ(html, "&lt;a href=&#39;x&#39;&gt;&amp;amp;&quot;\xE2\x90\x89\xE2\x90\xA1");
}

TEST(ReportText, SizesAsTheProgressShowsThem) {
    EXPECT_EQ(SizeText(1), "1 byte");
    EXPECT_EQ(SizeText(1023), "1023 bytes");
    EXPECT_EQ(SizeText(1536ull << 20), "1.5 GB");
    EXPECT_EQ(SizeText(UINT64_MAX), "16.0 EB");
}

TEST(ReportJson, GivesBackTheRecordsTextAndCounts) {
    const RunRecord record = SampleRecord();
    const nlohmann::json report = nlohmann::json::parse(ReportJson(record));
    EXPECT_EQ(report["machine"], kBreakout);
    EXPECT_EQ(report["user"], "bad " + kReplacement + kReplacement + " user");
    EXPECT_EQ(report["outcome"], "partly done");
    EXPECT_EQ(report["method"]["passes"], 3);
    EXPECT_EQ(report["totals"]["items"], 5) << "the blanked value counts as an item only";
    EXPECT_EQ(report["totals"]["files"], 1);
    EXPECT_EQ(report["totals"]["keys"], 1);
    EXPECT_EQ(report["totals"]["values"], 1);
    EXPECT_EQ(report["totals"]["left"], 2);
    EXPECT_EQ(report["totals"]["bytesOverwritten"].get<uint64_t>(), UINT64_MAX);
    const nlohmann::json& step = report["steps"][0];
    EXPECT_EQ(step["title"], kNonAscii);
    EXPECT_EQ(step["removed"][1]["name"], kQuoted);
    EXPECT_EQ(step["removed"][2]["kind"], "blanked value");
    EXPECT_EQ(step["removed"][0]["size"], 0) << "an empty file has a size";
    EXPECT_FALSE(step["removed"][0].contains("name"));
    EXPECT_FALSE(step["removed"][4].contains("size")) << "the clipboard has none";
    EXPECT_EQ(step["left"][0]["place"], kBreakout);
    EXPECT_FALSE(report["steps"][1]["ran"].get<bool>());
    EXPECT_EQ(report["notes"][0], kQuoted);
    EXPECT_EQ(report["statement"], kErasureStatement);
}

TEST(ReportHtml, KeepsTheRecordsTextOutOfTheMarkup) {
    const std::string page = ReportHtml(SampleRecord());
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("\xC0"), std::string::npos);
    EXPECT_NE(page.find("&lt;/td&gt;&lt;script&gt;alert(&#39;x&#39;)"), std::string::npos);
    EXPECT_NE(page.find(kNonAscii), std::string::npos);
    EXPECT_NE(page.find("Norvexa 3.2.0.7"), std::string::npos);
    EXPECT_NE(page.find("Partly done: 2 items were left"), std::string::npos);
    EXPECT_NE(page.find("16.0 EB (18,446,744,073,709,551,615 bytes)"), std::string::npos);
    EXPECT_NE(page.find("<summary>5 items removed</summary>"), std::string::npos);
    EXPECT_NE(page.find("Did not run."), std::string::npos);
}

TEST(Report, EmptyAndCancelledRecordsMakeWholeReports) {
    RunRecord record;
    record.end = RunEnd::Cancelled;
    const nlohmann::json report = nlohmann::json::parse(ReportJson(record));
    EXPECT_EQ(report["outcome"], "cancelled");
    EXPECT_TRUE(report["steps"].empty());
    EXPECT_EQ(report["totals"]["items"], 0);
    EXPECT_EQ(report["machine"], "");
    const std::string page = ReportHtml(record);
    EXPECT_NE(page.find("<td>Cancelled</td>"), std::string::npos);
    EXPECT_EQ(page.find("<details>"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 8), "</html>\n");
}
