#include "cli/CliArguments.h"

#include <gtest/gtest.h>

namespace {

CliRequest Taken(std::vector<std::string> args) {
    const CliParse parsed = ParseCliArguments(args);
    EXPECT_TRUE(parsed.request) << parsed.error;
    EXPECT_TRUE(parsed.error.empty());
    return parsed.request.value_or(CliRequest{});
}

std::string Refused(std::vector<std::string> args) {
    const CliParse parsed = ParseCliArguments(args);
    EXPECT_FALSE(parsed.request);
    EXPECT_FALSE(parsed.error.empty());
    return parsed.error;
}

TEST(CliArguments, ListTakesABrowserAndAFormatInEitherSpelling) {
    const CliRequest plain = Taken({"list"});
    EXPECT_EQ(plain.command, CliCommand::List);
    EXPECT_EQ(plain.browser, BrowserKind::None);
    EXPECT_EQ(plain.format, ListFormat::Table);

    const CliRequest spaced = Taken({"list", "--format", "json", "--browser", "firefox"});
    EXPECT_EQ(spaced.format, ListFormat::Json);
    EXPECT_EQ(spaced.browser, BrowserKind::Firefox);
    const CliRequest joined = Taken({"list", "--browser=opera", "--format=csv"});
    EXPECT_EQ(joined.browser, BrowserKind::Opera);
    EXPECT_EQ(joined.format, ListFormat::Csv);

    EXPECT_NE(Refused({"list", "--format", "xml"}).find("table, json or csv"), std::string::npos);
    EXPECT_NE(Refused({"list", "--browser", "Chrome"}).find("unknown browser"), std::string::npos)
        << "keywords are lower case";
    Refused({"list", "--browser"});
    Refused({"list", "extra"});
    Refused({"list", "--yes"});
    Refused({"list", "--view", "64"});
}

TEST(CliArguments, SwitchingAndRemovalNameABrowserAndAnId) {
    const CliRequest off = Taken({"disable", "ie", "{ABC}"});
    EXPECT_EQ(off.command, CliCommand::Disable);
    EXPECT_EQ(off.browser, BrowserKind::InternetExplorer);
    EXPECT_EQ(off.id, "{ABC}");
    EXPECT_EQ(off.view, 0);
    EXPECT_EQ(Taken({"enable", "--view", "32", "ie", "{ABC}"}).view, 32);
    EXPECT_EQ(Taken({"enable", "ie", "{ABC}", "--view=64"}).view, 64);

    const CliRequest remove = Taken({"remove", "chrome", "abcdefgh", "--yes"});
    EXPECT_EQ(remove.command, CliCommand::Remove);
    EXPECT_TRUE(remove.yes);
    EXPECT_FALSE(Taken({"remove", "chrome", "abcdefgh"}).yes) << "the command itself refuses without --yes";

    // Ids that look like options come after "--".
    EXPECT_EQ(Taken({"remove", "--yes", "--", "firefox", "-odd@id"}).id, "-odd@id");

    Refused({"disable", "ie"});
    Refused({"disable", "ie", "{A}", "{B}"});
    Refused({"disable", "safari", "{A}"});
    Refused({"disable", "ie", ""});
    Refused({"disable", "ie", "{A}", "--yes"});
    EXPECT_NE(Refused({"remove", "ie", "{A}", "--view", "16"}).find("32 or 64"), std::string::npos);
    Refused({"remove", "ie", "{A}", "--yes=no"});
}

TEST(CliArguments, DefaultAndJsonTakeTheirPositionalArguments) {
    EXPECT_EQ(Taken({"default"}).browser, BrowserKind::None);
    EXPECT_EQ(Taken({"default", "firefox"}).browser, BrowserKind::Firefox);
    Refused({"default", "firefox", "chrome"});
    Refused({"default", "netscape"});

    const CliRequest json = Taken({"json", "C:\\in put.json", "out.json"});
    EXPECT_EQ(json.command, CliCommand::Json);
    EXPECT_EQ(json.inputPath, "C:\\in put.json");
    EXPECT_EQ(json.outputPath, "out.json");
    Refused({"json", "in.json"});
    Refused({"json", "in.json", ""});
}

TEST(CliArguments, HelpIsOfferedForEveryCommand) {
    for (const char* form : {"--help", "-h", "help", "/?"}) {
        const CliRequest overview = Taken({form});
        EXPECT_EQ(overview.command, CliCommand::Help) << form;
        EXPECT_EQ(overview.helpFor, CliCommand::Help) << form;
    }
    const CliRequest topic = Taken({"help", "remove"});
    EXPECT_EQ(topic.command, CliCommand::Help);
    EXPECT_EQ(topic.helpFor, CliCommand::Remove);
    // --help wins over arguments that would be refused.
    EXPECT_EQ(Taken({"disable", "--help"}).helpFor, CliCommand::Disable);
    EXPECT_EQ(Taken({"list", "--format", "xml", "--help"}).helpFor, CliCommand::List);
    EXPECT_EQ(Taken({"remove", "--", "ie", "--help"}).command, CliCommand::Remove)
        << "after -- it is an id (here a second positional one)";
    Refused({"help", "frobnicate"});

    for (CliCommand command : {CliCommand::List, CliCommand::Disable, CliCommand::Enable, CliCommand::Remove,
                               CliCommand::Default, CliCommand::Json, CliCommand::Ratings, CliCommand::Policy, CliCommand::History,
                               CliCommand::Undo}) {
        const std::string text = CliHelpText(command);
        EXPECT_EQ(text.rfind("usage: bpmcli ", 0), 0u) << text;
    }
    EXPECT_NE(CliHelpText(CliCommand::Enable).find("bpmcli enable"), std::string::npos);
    EXPECT_NE(CliHelpText(CliCommand::Help).find("Exit codes"), std::string::npos);
    EXPECT_NE(CliHelpText(CliCommand::Help).find("ratings <browser>"), std::string::npos);
}

TEST(CliArguments, UnknownOrMissingCommandsAreRefused) {
    EXPECT_NE(Refused({}).find("no command"), std::string::npos);
    EXPECT_NE(Refused({"frob"}).find("unknown command"), std::string::npos);
    Refused({"LIST"});
}

TEST(CliArguments, HistoryTakesAFormatAndUndoARecordNumber) {
    EXPECT_EQ(Taken({"history"}).command, CliCommand::History);
    EXPECT_EQ(Taken({"history"}).format, ListFormat::Table);
    EXPECT_EQ(Taken({"history", "--format=json"}).format, ListFormat::Json);
    EXPECT_NE(Refused({"history", "--format", "csv"}).find("table or json"), std::string::npos);
    Refused({"history", "1"});
    Refused({"history", "--browser", "chrome"});

    const CliRequest undo = Taken({"undo", "12"});
    EXPECT_EQ(undo.command, CliCommand::Undo);
    EXPECT_EQ(undo.number, 12);
    EXPECT_EQ(Taken({"undo", "007"}).number, 7);
    for (const char* bad : {"0", "-1", "1.5", "x", "", "+3", "99999999999999999999"})
        EXPECT_NE(Refused({"undo", "--", bad}).find("undo needs a record's number"), std::string::npos) << bad;
    Refused({"undo"});
    Refused({"undo", "1", "2"});
    Refused({"undo", "1", "--yes"});
    EXPECT_NE(CliHelpText(CliCommand::Help).find("undo <n>"), std::string::npos);
}

TEST(CliArguments, RatingsTakesExactlyOneBrowser) {
    const CliRequest ratings = Taken({"ratings", "firefox"});
    EXPECT_EQ(ratings.command, CliCommand::Ratings);
    EXPECT_EQ(ratings.browser, BrowserKind::Firefox);
    Refused({"ratings"});
    Refused({"ratings", "safari"});
    Refused({"ratings", "chrome", "extra"});
    Refused({"ratings", "chrome", "--yes"});
}

TEST(CliArguments, PolicyTakesExactlyOneBrowserAndNoOption) {
    const CliRequest policy = Taken({"policy", "brave"});
    EXPECT_EQ(policy.command, CliCommand::Policy);
    EXPECT_EQ(policy.browserId, BrowserId::Brave);
    Refused({"policy"});
    Refused({"policy", "safari"});
    Refused({"policy", "edge", "extra"});
    Refused({"policy", "edge", "--profile", "Work"});
    EXPECT_NE(CliHelpText(CliCommand::Help).find("policy <browser>"), std::string::npos);
}

}  // namespace
