// The console program's arguments: what they ask for, and every way they can be wrong before
// anything is touched.
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

CliRequest Parsed(const std::vector<std::string>& arguments) {
    auto parsed = ParseCommandLine(arguments);
    EXPECT_TRUE(std::holds_alternative<CliRequest>(parsed));
    return std::holds_alternative<CliRequest>(parsed) ? std::get<CliRequest>(parsed) : CliRequest();
}

std::string Refusal(const std::vector<std::string>& arguments) {
    auto parsed = ParseCommandLine(arguments);
    return std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "";
}

} // namespace

TEST(CommandLine, EntriesByNameOrBitMethodDrivesAndItems) {
    const CliRequest request =
        Parsed({"shred", "run history", "59", "--method", "DoD7", "--free-space", "d:", "--items",
                "C:\\Temp\\<*.tmp,*.bak><SubFolder:Yes>", "--selection"});
    EXPECT_EQ(request.command, CliCommand::Shred);
    EXPECT_EQ(request.selection, SelectionBit(3) | SelectionBit(59));
    EXPECT_EQ(request.method, EraseMethod::Dod5200_28Std);
    EXPECT_EQ(request.freeSpace, std::vector<std::string>{"D:\\"});
    EXPECT_EQ(request.items.size(), 1u);
    EXPECT_TRUE(request.storedSelection);
    EXPECT_EQ(Parsed({"list"}).command, CliCommand::List);
    const CliRequest preview = Parsed({"preview", "Cookies", "--free-space", "C:\\"});
    EXPECT_EQ(preview.command, CliCommand::Preview);
    EXPECT_EQ(preview.selection, SelectionBit(9)) << "a bare name is Internet Explorer's";
    EXPECT_EQ(
        Parsed({"preview", "mozilla firefox: cookies", "Google Chrome: Saved Passwords"}).selection,
        SelectionBit(78) | SelectionBit(69));
    EXPECT_EQ(preview.freeSpace, std::vector<std::string>{"C:\\"});
}

TEST(CommandLine, BadInputIsRefusedWithWhatIsWrong) {
    EXPECT_NE(Refusal({}).find("usage"), std::string::npos);
    EXPECT_NE(Refusal({"erase"}).find("usage"), std::string::npos);
    EXPECT_NE(Refusal({"shred"}).find("nothing to shred"), std::string::npos);
    EXPECT_NE(Refusal({"shred", "Kazaa Lite"}).find("unknown entry"), std::string::npos);
    EXPECT_NE(Refusal({"shred", "60"}).find("unknown entry"), std::string::npos);
    EXPECT_NE(Refusal({"shred", "ICQ", "--method", "fast"}).find("unknown method"),
              std::string::npos);
    EXPECT_NE(Refusal({"shred", "ICQ", "--method"}).find("needs a value"), std::string::npos);
    EXPECT_NE(Refusal({"shred", "--free-space", "DD:"}).find("not a drive"), std::string::npos);
    EXPECT_NE(Refusal({"shred", "--items", "Temp\\<*.tmp><SubFolder:No>"}).find("full path"),
              std::string::npos);
    EXPECT_NE(Refusal({"shred", "--items", "C:\\T\\<..\\*.*><SubFolder:No>"}).find("outside"),
              std::string::npos);
    EXPECT_NE(Refusal({"shred", "--items", "C:\\T"}).find("is not FOLDER"), std::string::npos);
    EXPECT_NE(Refusal({"preview"}).find("nothing to preview"), std::string::npos);
    EXPECT_NE(Refusal({"preview", "ICQ", "--method", "zero"}).find("shred only"),
              std::string::npos);
    EXPECT_NE(Refusal({"preview", "ICQ", "--quiet"}).find("shred only"), std::string::npos);
    EXPECT_TRUE(Parsed({"shred", "ICQ", "--quiet"}).quiet);
}

TEST(CommandLine, ASchedulesRunIsAShredsArgumentsEndingQuiet) {
    const CliRequest weekly = Parsed({"schedule", "add", "weekly", "--day", "FRI", "--selection",
                                      "--time", "07:05", "--method", "zero"});
    EXPECT_EQ(weekly.command, CliCommand::Schedule);
    EXPECT_EQ(weekly.scheduleAction, ScheduleAction::Add);
    EXPECT_EQ(weekly.schedule.kind, ScheduleKind::Weekly);
    EXPECT_EQ(ScheduleText(weekly.schedule), "weekly on Friday at 07:05");
    EXPECT_EQ(weekly.schedule.arguments,
              (std::vector<std::string>{"--selection", "--method", "zero", "--quiet"}));
    EXPECT_EQ(Parsed({"schedule", "add", "logon", "3", "--quiet"}).schedule.arguments,
              (std::vector<std::string>{"3", "--quiet"}));
    EXPECT_EQ(Parsed({"schedule", "remove"}).scheduleAction, ScheduleAction::Remove);
    for (const char* help : {"--help", "-h", "/?"})
        EXPECT_EQ(Parsed({help}).command, CliCommand::Help);

    EXPECT_EQ(Refusal({"schedule", "add", "daily", "--time", "24:00", "3"}),
              "\"24:00\" is no time such as 21:30");
    EXPECT_EQ(Refusal({"schedule", "add", "daily", "--day", "mon", "3"}),
              "--day applies to weekly only");
    EXPECT_EQ(Refusal({"schedule", "add", "weekly", "--day", "mo", "3"}),
              "\"mo\" is no day such as Monday");
    EXPECT_EQ(Refusal({"schedule", "add", "daily"}),
              "nothing to shred: name entries, --selection, --free-space or --items");
    EXPECT_EQ(Refusal({"schedule", "add", "daily", "--report"}), "--report needs a value");
}

TEST(CommandLine, ALineOfArgumentsSplitsBackIntoTheSameWords) {
    EXPECT_EQ(CommandLineOf({"shred", "Temporary Files", "", "C:\\a b\\", "say \"hi\"", "a\\\"b"}),
              "shred \"Temporary Files\" \"\" \"C:\\a b\\\\\" \"say \\\"hi\\\"\" \"a\\\\\\\"b\"");
    EXPECT_EQ(CommandLineOf({"C:\\Work\\<*.tmp><SubFolder:Yes>"}),
              "C:\\Work\\<*.tmp><SubFolder:Yes>");
}
