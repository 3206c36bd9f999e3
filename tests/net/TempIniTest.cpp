#include "net/TempIni.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "platform/AnsiText.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

std::string FileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::set<std::wstring> IniFilesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW((folder + L"*.ini").c_str(), &found));
    if (!search || search.get() == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileW(search.get(), &found));
    return names;
}

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length && length < 1024 ? value : L"";
}

// Points the process's temporary folder (TMP, then TEMP) somewhere else and
// back again.
class TemporaryFolder : public ::testing::Test {
protected:
    void SetUp() override {
        savedTmp = EnvironmentValue(L"TMP");
        savedTemp = EnvironmentValue(L"TEMP");
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        base = temp;
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TMP", savedTmp.empty() ? nullptr : savedTmp.c_str());
        SetEnvironmentVariableW(L"TEMP", savedTemp.empty() ? nullptr : savedTemp.c_str());
        for (auto it = created.rbegin(); it != created.rend(); ++it) {
            DeleteFileW(it->c_str());
            RemoveDirectoryW(it->c_str());
        }
    }
    std::wstring Folder(const std::wstring& name) {
        const std::wstring path = base + name;
        CreateDirectoryW(path.c_str(), nullptr);
        created.push_back(path);
        return path;
    }
    void UseTemp(const std::wstring& path) {
        SetEnvironmentVariableW(L"TMP", path.c_str());
        SetEnvironmentVariableW(L"TEMP", path.c_str());
    }
    std::wstring Saved(const std::wstring& text) {
        const std::wstring path = SaveTempIni(text);
        if (!path.empty()) created.push_back(path);
        return path;
    }

    std::wstring savedTmp, savedTemp, base;
    std::vector<std::wstring> created;
};

TEST_F(TemporaryFolder, TheLongFormOfTheTemporaryFolderEndsWithABackslash) {
    const std::wstring folder = GetLongTempPath();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_EQ(_wcsicmp(folder.c_str(), base.c_str()), 0) << folder << L" / " << base;
}

TEST_F(TemporaryFolder, AShortFormFolderIsTurnedIntoItsLongForm) {
    const std::wstring longFolder = Folder(L"Brivo Long Temporary Folder");
    wchar_t shortForm[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(longFolder.c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_EQ(std::wstring(shortForm).find(L"Brivo Long"), std::wstring::npos) << shortForm;
    UseTemp(shortForm);
    EXPECT_EQ(GetLongTempPath(), longFolder + L"\\");
}

TEST_F(TemporaryFolder, AFolderThatDoesNotExistHasNoLongForm) {
    UseTemp(base + L"brivo-no-such-folder\\inner");
    EXPECT_EQ(GetLongTempPath(), L"");
    EXPECT_EQ(Saved(L"[VerInfo]"), L"");
}

TEST_F(TemporaryFolder, APageIsSavedAsAnAnsiIniFileWithEightRandomLetters) {
    const std::wstring text = L"[VerInfo]\r\nbuild=51\r\nNote=Gr\u00FC\u00DFe";
    const std::wstring path = Saved(text);
    ASSERT_FALSE(path.empty());
    const std::wstring folder = GetLongTempPath();
    ASSERT_EQ(path.rfind(folder, 0), 0u);
    const std::wstring name = path.substr(folder.size());
    ASSERT_EQ(name.size(), 12u) << name;
    EXPECT_EQ(name.substr(8), L".ini");
    for (wchar_t c : name.substr(0, 8)) EXPECT_TRUE(c >= L'a' && c <= L'z') << name;
    // No byte-order mark, the code page's bytes, and a closing line break.
    EXPECT_EQ(FileBytes(path), WideToAnsi(text) + "\r\n");
}

TEST_F(TemporaryFolder, TwoPagesSavedOneAfterTheOtherKeepTheirOwnFiles) {
    const std::wstring first = Saved(L"[Msg]\r\nMsgID=1");
    const std::wstring second = Saved(L"[VerInfo]\r\nbuild=2");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(FileBytes(first), "[Msg]\r\nMsgID=1\r\n");
    EXPECT_EQ(FileBytes(second), "[VerInfo]\r\nbuild=2\r\n");
}

TEST_F(TemporaryFolder, AFolderNamedWithAPercentSignIsNoPlaceForTheFile) {
    const std::wstring odd = Folder(L"brivo%TEMP%test");
    UseTemp(odd);
    ASSERT_NE(GetLongTempPath().find(L'%'), std::wstring::npos);
    const std::set<std::wstring> rootBefore = IniFilesIn(L"c:\\"), oddBefore = IniFilesIn(odd + L"\\");
    EXPECT_EQ(Saved(L"[Msg]"), L"");
    // Neither the drive root nor the folder itself receives a file.
    EXPECT_EQ(IniFilesIn(L"c:\\"), rootBefore);
    EXPECT_EQ(IniFilesIn(odd + L"\\"), oddBefore);
}

TEST_F(TemporaryFolder, ASavedPageReadsBackWithTheProfileRules) {
    const std::wstring path = Saved(L"[verinfo]\r\n  BUILD = 0x33 \r\nNewGetUrl=\"http://127.0.0.1/get.html\"\r\n"
                                    L"[NewInfo]\r\nFaster start\r\nFixed: crash = gone\r\n; not news\r\n"
                                    L"[Msg]\r\nText=Gr\u00FC\u00DFe");
    ASSERT_FALSE(path.empty());
    const std::optional<IniText> ini = ReadTempIni(path);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->ReadInteger("VerInfo", "build", 50), 51);
    EXPECT_EQ(ini->ReadString("VerInfo", "newgeturl", ""), "http://127.0.0.1/get.html");
    EXPECT_EQ(ini->ReadSection("NewInfo"), (std::vector<std::string>{"Faster start", "Fixed: crash"}));
    // Written and read in the same code page, the letters come back.
    EXPECT_EQ(ini->ReadString("Msg", "Text", ""), ToUtf8(AnsiToWide(WideToAnsi(L"Gr\u00FC\u00DFe"))));
    if (GetACP() == 1252) {
        EXPECT_EQ(ini->ReadString("Msg", "Text", ""), "Gr\xC3\xBC\xC3\x9F" "e");
    }
    EXPECT_FALSE(ReadTempIni(path + L".gone"));
}

}  // namespace
