// The language files in the repository and their installed copies beside
// the test programs (UTF-16 LE, converted by the build).
#include "AppTestFiles.h"

#include "app/CharsetNames.h"
#include "app/LangCodeList.h"
#include "app/LanguageFile.h"
#include "app/LanguageFileReader.h"
#include "app/ProfileInteger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

const std::wstring kRepositoryLanguages = std::wstring(BRIVO_SOURCE_DIR) + L"\\Languages\\";
const std::wstring kInstalledLanguages = std::wstring(BRIVO_BIN_DIR) + L"\\Languages\\";

// The built-in copy's keys in file order ("TfrmKoltMain.Ratings" twice).
const std::vector<std::string> kTranslationKeys = {
    "LanguageName", "LangCode", "ReadHabit", "DefaultFont", "DefaultFontSize", "DefaultCharset",
    "TfrmKoltMain.lblSetasdefault.Caption", "TfrmKoltMain.lbl1.Caption", "TfrmKoltMain.lbl2.caption",
    "TfrmKoltMain.lbl3.Caption", "TfrmKoltMain.Ratings", "TfrmKoltMain.btnDisable.hint",
    "TfrmKoltMain.btnDel.hint", "TfrmKoltMain.default", "TfrmKoltMain.btn5.Caption",
    "TfrmKoltMain.btn6.Caption_1", "TfrmKoltMain.btn6.Caption_2", "TfrmKoltMain.btn7.Caption_1",
    "TfrmKoltMain.btn7.Caption_2", "TfrmKoltMain.btn8.Caption", "TfrmKoltMain.CloseHint",
    "TfrmKoltMain.MenuHint", "TfrmKoltMain.MinHint", "TfrmKoltMain.btn1.hint", "TfrmKoltMain.btn2.hint",
    "TfrmKoltMain.btn3.hint", "TfrmKoltMain.btn4.hint", "TfrmKoltMain.Ratings", "Confirm", "msgdlg.btnNO",
    "msgdlg.btnOk", "msgdlg.btnYes", "TMainFormMenu.MenuItem1", "TMainFormMenu.MenuItem2",
    "TMainFormMenu.MenuItem3", "TMainFormMenu.MenuItem4", "TMainFormMenu.MenuItem5", "TMainFormMenu.MenuItem6",
    "TMainFormMenu.MenuItem7", "TMainFormMenu.MenuItem8", "TMainFormMenu.MenuItem9", "TfrmKoltRate.Caption",
    "TfrmKoltRate.btn1.Caption", "TfrmKoltRate.lbl10.Caption", "TfrmKoltRate.lbl11.Caption",
    "TfrmKoltRate.lbl12.Caption", "TfrmKoltRate.lbl9.Caption", "TfrmKoltRate.cbb1.item0",
    "TfrmKoltRate.cbb1.item1", "TfrmKoltRate.lsttab.item0", "TfrmKoltRate.lsttab.item1",
    "TfrmKoltRate.DrawString2", "TfrmKoltRate.DrawString3", "TfrmKoltRate.DrawString4",
    "TfrmKoltRate.lblfirst.Caption", "TfrmAbout.Caption", "TfrmAbout.lblEmail.caption",
    "TfrmAbout.lblhome.caption", "TfrmAbout.lblthanks.caption", "TfrmAbout.btnOk.Caption",
    "TfrmAbout.lblver.Caption"};
const std::vector<std::string> kMessageKeys = {
    "AddCommentS", "AddCommentF", "BIsRuning", "PlugRatingError", "SetAsDefault", "InputScores", "GetSvrError1",
    "DeleteConf", "Commented", "unKnowError", "AddScoreS", "AddScoreF", "ReportS", "ReportF", "UnVerify",
    "ACCESSDENIED", "NONEPLUGIN", "NONERATE", "NextData", "NewVer", "NoNewVer", "NONEPLUGIN0_0",
    "NONEPLUGIN0_1", "NONEPLUGIN0_2", "NONEPLUGIN0_3", "NONEPLUGIN1_0", "NONEPLUGIN1_1", "NONEPLUGIN1_2",
    "PolicyBlocked", "PolicyNote", "PolicyInBrowser", "PolicyWriteF"};

struct RawLine {
    std::string section;
    std::string key;
    std::string value;
};

// The "Key = Text" lines of a file, duplicates included, split independently
// of the parser so the two can be compared.
std::vector<RawLine> RawLines(const std::string& utf8) {
    std::vector<RawLine> lines;
    std::string section;
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t end = utf8.find('\n', pos);
        if (end == std::string::npos) end = utf8.size();
        std::string line = utf8.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const size_t equals = line.find(" = ");
        if (equals == std::string::npos) {
            lines.push_back({section, line.substr(0, line.find(" =")), ""});
        } else {
            lines.push_back({section, line.substr(0, equals), line.substr(equals + 3)});
        }
    }
    return lines;
}

std::vector<std::string> KeysOf(const std::vector<RawLine>& lines, const std::string& section) {
    std::vector<std::string> keys;
    for (const RawLine& line : lines) {
        if (line.section == section) keys.push_back(line.key);
    }
    return keys;
}

bool IsSubsequence(const std::vector<std::string>& wanted, const std::vector<std::string>& all) {
    size_t next = 0;
    for (const std::string& key : all) {
        if (next < wanted.size() && key == wanted[next]) ++next;
    }
    return next == wanted.size();
}

std::string Placeholders(const std::string& text) {
    std::string found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%') found += text[++i];
    }
    return found;
}

std::vector<std::wstring> ShippedNames() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW((kRepositoryLanguages + L"*.ini").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    const UniqueFindHandle owner(find);
    do {
        const std::wstring name = entry.cFileName;
        names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileW(find, &entry));
    std::sort(names.begin(), names.end());
    return names;
}

class ShippedLanguagesTest : public ::testing::Test {
protected:
    static std::string Source(const std::wstring& name) { return ReadFileBytes(kRepositoryLanguages + name + L".ini"); }
};

}  // namespace

TEST_F(ShippedLanguagesTest, EnglishHoldsEveryBuiltInKeyInOrder) {
    const std::string text = Source(L"English");
    EXPECT_NE(text.find("\n; Soft Version: 1.02.50\n"), std::string::npos);
    EXPECT_EQ(text.rfind("; ", 0), 0u) << "the file starts with the translators' comments";
    EXPECT_NE(text.find("Translator"), std::string::npos);
    const std::vector<RawLine> lines = RawLines(text);
    EXPECT_TRUE(IsSubsequence(kTranslationKeys, KeysOf(lines, "Translation")));
    EXPECT_TRUE(IsSubsequence(kMessageKeys, KeysOf(lines, "Messages")));
    EXPECT_EQ(KeysOf(lines, "Lang"), (std::vector<std::string>{"NativeLanguage", "Translator"}));

    const LanguageFile english = LanguageFile::ParseUtf8(text);
    EXPECT_EQ(english.Value("Translation", "LangCode"),
              "0C09|2809|1009|2409|4009|1809|2009|4409|1409|3409|4809|1c09|2C09|0809|0409|3009");
    EXPECT_EQ(english.Value("Translation", "LanguageName"), "ENU");
    EXPECT_EQ(english.Value("Translation", "ReadHabit"), "Left-to-right");
    EXPECT_EQ(english.Value("Translation", "DefaultFont"), "Tahoma");
    EXPECT_EQ(english.Value("Translation", "DefaultFontSize"), "8");
    EXPECT_EQ(english.Value("Translation", "DefaultCharset"), "ANSI_CHARSET");
    EXPECT_EQ(english.Value("Translation", "TfrmKoltMain.Ratings"), "Details");
    EXPECT_EQ(english.Value("Lang", "NativeLanguage"), "English");
    EXPECT_EQ(english.Value("Lang", "Translator"), "Brivo Plug-in Manager team");
    EXPECT_EQ(english.Value("Messages", "RemoveFailed"), "The add-on could not be removed.");
    EXPECT_EQ(english.Value("Messages", "NONEPLUGIN1_0"), "This browser has not installed any extensions and plug-ins.");
}

TEST_F(ShippedLanguagesTest, EveryTranslationIsCompleteAndParsesWithoutLoss) {
    const std::vector<std::wstring> names = ShippedNames();
    ASSERT_GE(names.size(), 6u);
    const std::vector<RawLine> english = RawLines(Source(L"English"));
    std::map<std::string, std::wstring> claimedBy;  // language identifier -> file
    for (const std::wstring& name : names) {
        SCOPED_TRACE(ToUtf8(name));
        const std::string text = Source(name);
        ASSERT_FALSE(text.empty());
        ASSERT_NE(text.substr(0, 3), "\xEF\xBB\xBF") << "kept as plain UTF-8; the build adds the mark";
        EXPECT_TRUE(IsValidUtf8(text));
        EXPECT_NE(text.find("Soft Version: 1.02.50"), std::string::npos);

        // Same keys in the same order as English, every text filled in, the
        // same placeholders.
        const std::vector<RawLine> lines = RawLines(text);
        ASSERT_EQ(lines.size(), english.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].section, english[i].section);
            EXPECT_EQ(lines[i].key, english[i].key);
            EXPECT_FALSE(lines[i].value.empty()) << lines[i].key;
            EXPECT_EQ(Placeholders(lines[i].value), Placeholders(english[i].value)) << lines[i].key;
        }

        // The parser and the installed UTF-16 copy give every text as written.
        const LanguageFile parsed = LanguageFile::ParseUtf8(text);
        const std::optional<LanguageFile> installed = ReadLanguageFile(kInstalledLanguages + name + L".ini");
        ASSERT_TRUE(installed.has_value());
        EXPECT_EQ(installed->SectionNames(), parsed.SectionNames());
        std::map<std::pair<std::string, std::string>, std::string> lastValue;  // the later line wins
        for (const RawLine& line : lines) lastValue[{line.section, line.key}] = line.value;
        EXPECT_EQ(lastValue.size() + 1, lines.size()) << "only TfrmKoltMain.Ratings is written twice";
        for (const auto& [where, value] : lastValue) {
            EXPECT_EQ(parsed.Value(where.first, where.second), value) << where.second;
            EXPECT_EQ(installed->Value(where.first, where.second), value) << where.second;
        }

        // Header values the program reads.
        EXPECT_TRUE(CharsetFromName(parsed.Value("Translation", "DefaultCharset").value_or("")).has_value());
        const std::optional<std::int32_t> size =
            ParseProfileInteger(parsed.Value("Translation", "DefaultFontSize").value_or(""));
        EXPECT_TRUE(size && *size >= 8 && *size <= 12);
        const std::string codes = parsed.Value("Translation", "LangCode").value_or("");
        size_t start = 0;
        while (start <= codes.size()) {
            const size_t bar = std::min(codes.find('|', start), codes.size());
            const std::string code = codes.substr(start, bar - start);
            EXPECT_EQ(code.size(), 4u) << code;
            EXPECT_EQ(code.find_first_not_of("0123456789ABCDEFabcdef"), std::string::npos) << code;
            const auto [it, first] = claimedBy.emplace(FoldAsciiCase(code), name);
            EXPECT_TRUE(first) << code << " is also claimed by " << ToUtf8(it->second);
            start = bar + 1;
        }
    }
}

TEST_F(ShippedLanguagesTest, EachTranslationSelectsItsLanguageAndRendersItsScript) {
    struct Expected {
        const wchar_t* name;
        const char* nativeName;
        std::vector<const char*> identifiers;
        int charset;
    };
    const Expected expected[] = {
        {L"Deutsch", "Deutsch", {"0407", "0807", "0C07", "1007", "1407"}, ANSI_CHARSET},
        {L"Français", "Français", {"040C", "080C", "0C0C", "100C", "140C", "180C"}, ANSI_CHARSET},
        {L"Español", "Español", {"040A", "080A", "0C0A", "2C0A", "540A"}, ANSI_CHARSET},
        {L"Русский", "Русский", {"0419", "0819"}, RUSSIAN_CHARSET},
        {L"Chinese (Simplified)", "简体中文", {"0804", "1004"}, GB2312_CHARSET},
        {L"English", "English", {"0409", "0809", "0C09", "1009", "1409", "1809"}, ANSI_CHARSET},
    };
    for (const Expected& language : expected) {
        SCOPED_TRACE(ToUtf8(language.name));
        const LanguageFile file = LanguageFile::ParseUtf8(Source(language.name));
        EXPECT_EQ(file.Value("Lang", "NativeLanguage"), language.nativeName);
        const std::string codes = file.Value("Translation", "LangCode").value_or("");
        for (const char* id : language.identifiers) EXPECT_TRUE(LangCodeListContains(codes, id)) << id;
        EXPECT_EQ(CharsetFromName(file.Value("Translation", "DefaultCharset").value_or("")), language.charset);
    }
    const LanguageFile chinese = LanguageFile::ParseUtf8(Source(L"Chinese (Simplified)"));
    const std::string face = chinese.Value("Translation", "DefaultFont").value_or("");
    EXPECT_TRUE(face == "SimSun" || face == "Microsoft YaHei" || face == "NSimSun") << face;
}
