#include "net/LongPathForm.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A file system that knows a few long names for short ones, and records
// which paths were searched.
struct FakeSearch {
    std::map<std::wstring, std::wstring> longNames;
    mutable std::vector<std::wstring> searched;

    LongNameSearch Function() const {
        return [this](const std::wstring& path) -> std::optional<std::wstring> {
            searched.push_back(path);
            const auto found = longNames.find(path);
            if (found == longNames.end()) return std::nullopt;
            return found->second;
        };
    }
};

const FakeSearch kDisk{{
    {L"C:\\USERS", L"Users"},
    {L"C:\\USERS\\BRIVOU~1", L"Brivo User"},
    {L"C:\\USERS\\BRIVOU~1\\APPDATA", L"AppData"},
    {L"C:\\USERS\\BRIVOU~1\\APPDATA\\LOCAL", L"Local"},
    {L"C:\\USERS\\BRIVOU~1\\APPDATA\\LOCAL\\TEMP", L"Temp"},
    {L"D:\\TMP", L"tmp"},
}};

TEST(LongTempFolder, AShortFormIsTurnedIntoTheLongFormComponentByComponent) {
    kDisk.searched.clear();
    EXPECT_EQ(LongTempFolder(L"C:\\USERS\\BRIVOU~1\\APPDATA\\LOCAL\\TEMP\\", kDisk.Function()),
              L"C:\\Users\\Brivo User\\AppData\\Local\\Temp\\");
    // Each search is made for the whole path up to the component.
    EXPECT_EQ(kDisk.searched.front(), L"C:\\USERS");
    EXPECT_EQ(kDisk.searched.back(), L"C:\\USERS\\BRIVOU~1\\APPDATA\\LOCAL\\TEMP");
    EXPECT_EQ(kDisk.searched.size(), 5u);
}

TEST(LongTempFolder, ATrailingBackslashIsAddedWhenMissing) {
    EXPECT_EQ(LongTempFolder(L"D:\\TMP", kDisk.Function()), L"D:\\tmp\\");
    EXPECT_EQ(LongTempFolder(L"D:\\", kDisk.Function()), L"D:\\");
}

TEST(LongTempFolder, AComponentThatIsNotFoundEmptiesTheWholeResult) {
    EXPECT_EQ(LongTempFolder(L"C:\\USERS\\NOBODY\\TEMP\\", kDisk.Function()), L"");
    EXPECT_EQ(LongTempFolder(L"E:\\TMP\\", kDisk.Function()), L"");
    EXPECT_EQ(LongTempFolder(L"", kDisk.Function()), L"");
}

TEST(LongTempFolder, APartWithoutBackslashStaysAsItIs) {
    EXPECT_EQ(LongPathForm(L"C:", kDisk.Function()), L"C:");
    EXPECT_EQ(LongPathForm(L"relative", kDisk.Function()), L"relative");
    EXPECT_EQ(LongTempFolder(L"C:", kDisk.Function()), L"C:\\");
}

}  // namespace
