#include "json/JsonDocument.h"

#include <gtest/gtest.h>
#include <aclapi.h>
#include <sddl.h>
#include <windows.h>

#include "platform/BrivoError.h"
#include "platform/UniqueHandles.h"
#include "platform/SystemErrorText.h"
#include "platform/Utf.h"

#include <set>
#include <string>

namespace {


// The document's text after a failed save, for comparing with the message.
std::string SaveError(const JsonDocument& document, const std::wstring& path) {
    try {
        document.SaveFile(path);
    } catch (const BrivoError& error) {
        return error.what();
    }
    return "saved";
}

JsonDocument MustParse(const std::string& text) {
    auto document = JsonDocument::Parse(text);
    EXPECT_TRUE(document) << text;
    return document ? std::move(*document) : JsonDocument();
}

// A scratch folder per test, with non-ASCII in its name, removed afterwards.
class JsonFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"BrivoJson\x00e9\xd83d\xde00-" + std::to_wstring(GetCurrentProcessId());
        RemoveTree(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(folder_); }

    std::wstring In(const std::wstring& name) const { return folder_ + L"\\" + name; }

    void WriteBytes(const std::wstring& path, const std::string& bytes) {
        const UniqueHandle file =
            AdoptHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    }

    static std::string ReadBytes(const std::wstring& path) {
        const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file) return "<unreadable>";
        std::string bytes(1 << 16, '\0');
        DWORD read = 0;
        ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
        return bytes;
    }

    // The file's own access list in the system's text form.
    static std::wstring AccessList(const std::wstring& path) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                                  nullptr, &descriptor) != ERROR_SUCCESS)
            return L"(unreadable)";
        const UniqueLocal descriptorOwner(descriptor);
        wchar_t* text = nullptr;
        if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                                  DACL_SECURITY_INFORMATION, &text, nullptr))
            return L"(unconvertible)";
        const UniqueLocal textOwner(text);
        return text;
    }

    std::set<std::wstring> Names() const {
        std::set<std::wstring> names;
        WIN32_FIND_DATAW found;
        const UniqueFindHandle find(FindFirstFileW((folder_ + L"\\*").c_str(), &found));
        if (!find || find.get() == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.insert(name);
        } while (FindNextFileW(find.get(), &found));
        return names;
    }

    static void RemoveTree(const std::wstring& path) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        WIN32_FIND_DATAW found;
        const UniqueFindHandle find(FindFirstFileW((path + L"\\*").c_str(), &found));
        if (find && find.get() != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = path + L"\\" + name;
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
                else DeleteFileW(child.c_str());
            } while (FindNextFileW(find.get(), &found));
        }
        RemoveDirectoryW(path.c_str());
    }

    std::wstring folder_;
    const std::string original_ = "{\"original\":true,\"padding\":\"" + std::string(4000, 'p') + "\"}";
    const std::string edited_ = "{\"a\\/b\":[\"\\u00e9\\u20ac\\ud83d\\ude00\",1.5,3,-0.0,{}]}";
};

}  // namespace

TEST_F(JsonFiles, ASavedDocumentIsTheExactFormAndLoadsBack) {
    const std::wstring path = In(L"Preferences");
    const auto document = MustParse("{ \"a/b\" : [\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\", 1.50, 3, -0.0, { }] }\n");
    document.SaveFile(path);
    EXPECT_EQ(ReadBytes(path), edited_);  // no byte-order mark, no final line break
    EXPECT_EQ(Names(), std::set<std::wstring>{L"Preferences"});

    const auto loaded = JsonDocument::LoadFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->ToText(), edited_);
}

TEST_F(JsonFiles, SavingReplacesALongerFileWholeAndKeepsItsAttributesAndCreationTime) {
    const std::wstring path = In(L"extensions.json");
    WriteBytes(path, original_);
    const FILETIME created{0x5A5A0000u, 0x01D00000u};  // in 2014
    {
        const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                                          OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file && SetFileTime(file.get(), &created, nullptr, nullptr));
    }
    WIN32_FILE_ATTRIBUTE_DATA before{};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before));
    // Wine, for one, keeps no creation time of its own.
    const bool keepsCreationTimes = CompareFileTime(&before.ftCreationTime, &created) == 0;
    constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), kMarks));
    MustParse(edited_).SaveFile(path);
    EXPECT_EQ(ReadBytes(path), edited_);
    WIN32_FILE_ATTRIBUTE_DATA after{};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(after.dwFileAttributes & (kMarks | FILE_ATTRIBUTE_READONLY), kMarks);
    if (keepsCreationTimes) {
        EXPECT_EQ(CompareFileTime(&after.ftCreationTime, &created), 0)
            << after.ftCreationTime.dwHighDateTime << ":" << after.ftCreationTime.dwLowDateTime;
    }
    EXPECT_EQ(Names(), std::set<std::wstring>{L"extensions.json"});
}

TEST_F(JsonFiles, SavingKeepsTheFilesAccessList) {
    const std::wstring path = In(L"Preferences");
    WriteBytes(path, original_);
    // Only the administrators and the system, as a profile file of another
    // user would grant this elevated program; no inherited entries.
    const wchar_t kOwn[] = L"D:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;FR;;;BU)";
    PSECURITY_DESCRIPTOR wanted = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(kOwn, SDDL_REVISION_1, &wanted, nullptr));
    const UniqueLocal wantedOwner(wanted);
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(wanted, &present, &dacl, &defaulted));
    ASSERT_EQ(SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    dacl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    const std::wstring before = AccessList(path);
    if (before != kOwn) GTEST_SKIP() << "this system does not keep a file's access list: " << ToUtf8(before);

    MustParse(edited_).SaveFile(path);
    EXPECT_EQ(ReadBytes(path), edited_);
    EXPECT_EQ(AccessList(path), before);
}

TEST_F(JsonFiles, TemporaryFilesOfOursLeftBehindAreRemovedAndNoOtherFile) {
    const std::wstring path = In(L"Preferences");
    WriteBytes(path, original_);
    // What a crash during an earlier save leaves, and what is not ours.
    const std::set<std::wstring> foreign = {L"Preferences.tmp", L"Preferences~RF1a2b.TMP",
                                            L"Secure Preferences.brivo-tmp-abcd1234", L"Preferences.brivo-tmp-x"};
    for (const std::wstring& name : foreign) WriteBytes(In(name), "{}");
    WriteBytes(In(L"Preferences.brivo-tmp-k3j9x0qa"), "{\"cut");
    WriteBytes(In(L"Preferences.brivo-tmp-00000000"), "");

    MustParse(edited_).SaveFile(path);
    EXPECT_EQ(ReadBytes(path), edited_);
    std::set<std::wstring> expected = foreign;
    expected.insert(L"Preferences");
    EXPECT_EQ(Names(), expected);
}

TEST_F(JsonFiles, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    const std::wstring path = In(L"Preferences");
    WriteBytes(path, original_);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(SaveError(MustParse(edited_), path), SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadBytes(path), original_);
    EXPECT_EQ(Names(), std::set<std::wstring>{L"Preferences"});
}

TEST_F(JsonFiles, AFileHeldOpenByTheBrowserIsLeftAsItWas) {
    const std::wstring path = In(L"Preferences");
    WriteBytes(path, original_);
    {
        const UniqueHandle holder =
            AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        // Windows versions differ in which of the two they report.
        const std::string error = SaveError(MustParse(edited_), path);
        EXPECT_TRUE(error == SystemErrorText(ERROR_SHARING_VIOLATION) || error == SystemErrorText(ERROR_ACCESS_DENIED)) << error;
        EXPECT_FALSE(JsonDocument::LoadFile(path));  // nor can it be read meanwhile
        EXPECT_EQ(Names(), std::set<std::wstring>{L"Preferences"});
    }
    EXPECT_EQ(ReadBytes(path), original_);
    MustParse(edited_).SaveFile(path);
    EXPECT_EQ(ReadBytes(path), edited_);
}

TEST_F(JsonFiles, AMissingFolderOrAFolderInPlaceOfTheFileIsReported) {
    EXPECT_EQ(SaveError(MustParse(edited_), In(L"missing\\Preferences")), SystemErrorText(ERROR_PATH_NOT_FOUND));
    const std::wstring folder = In(L"Preferences");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_EQ(SaveError(MustParse(edited_), folder), SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(Names(), std::set<std::wstring>{L"Preferences"});
}

TEST_F(JsonFiles, AFolderThatForbidsNewFilesGetsTheFileWrittenInPlace) {
    const std::wstring path = In(L"Preferences");
    WriteBytes(path, original_);
    // Everyone may do anything in the folder except add files.
    EXPLICIT_ACCESSW entries[2] = {};
    wchar_t everyone[] = L"EVERYONE";
    BuildExplicitAccessWithNameW(&entries[0], everyone, FILE_ADD_FILE, DENY_ACCESS, NO_INHERITANCE);
    BuildExplicitAccessWithNameW(&entries[1], everyone, GENERIC_ALL, GRANT_ACCESS, SUB_CONTAINERS_AND_OBJECTS_INHERIT);
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclW(2, entries, nullptr, &acl), static_cast<DWORD>(ERROR_SUCCESS));
    const UniqueLocal aclOwner(acl);
    ASSERT_EQ(SetNamedSecurityInfoW(folder_.data(), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    acl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    const std::wstring probe = In(L"probe");
    const UniqueHandle created =
        AdoptHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (created) GTEST_SKIP() << "this system does not enforce folder permissions";

    EXPECT_EQ(SaveError(MustParse(edited_), path), "saved");
    EXPECT_EQ(ReadBytes(path), edited_);
    EXPECT_EQ(Names(), std::set<std::wstring>{L"Preferences"});
    // A file that is not there yet cannot be made in such a folder.
    EXPECT_EQ(SaveError(MustParse(edited_), In(L"Local State")), SystemErrorText(ERROR_ACCESS_DENIED));
}

// Needs a small volume that can be filled: BRIVO_SMALL_VOLUME names a folder
// on one (under Wine, e.g. a 64 KB tmpfs mounted beside the prefix).
TEST(JsonFilesOnAFullDisk, AWriteCutShortLeavesTheFileAsItWas) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"BRIVO_SMALL_VOLUME", folder, MAX_PATH)) GTEST_SKIP() << "BRIVO_SMALL_VOLUME not set";
    const std::wstring path = std::wstring(folder) + L"\\Preferences";
    const std::string original = "{\"small\":1}";
    MustParse(original).SaveFile(path);
    ULARGE_INTEGER available{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(folder, &available, nullptr, nullptr));
    const std::string big = "[\"" + std::string(static_cast<std::size_t>(available.QuadPart) + (1 << 16), 'x') + "\"]";
    EXPECT_EQ(SaveError(MustParse(big), path), SystemErrorText(ERROR_DISK_FULL));
    const auto loaded = JsonDocument::LoadFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->ToText(), original);
    WIN32_FIND_DATAW found;
    const UniqueFindHandle find(FindFirstFileW((std::wstring(folder) + L"\\*").c_str(), &found));
    ASSERT_TRUE(find && find.get() != INVALID_HANDLE_VALUE);
    do {
        const std::wstring name = found.cFileName;
        EXPECT_TRUE(name == L"." || name == L".." || name == L"Preferences") << "left behind: " << ToUtf8(name);
    } while (FindNextFileW(find.get(), &found));
    DeleteFileW(path.c_str());
}

TEST_F(JsonFiles, LoadingGivesNoneForWhatIsNotAJsonTextFile) {
    EXPECT_FALSE(JsonDocument::LoadFile(In(L"missing.json")));
    EXPECT_FALSE(JsonDocument::LoadFile(folder_));
    const std::wstring path = In(L"Preferences");
    WriteBytes(path, "{\"a\":\"\xFF\"}");
    EXPECT_FALSE(JsonDocument::LoadFile(path));
    // What follows the value is ignored, text or not.
    WriteBytes(path, "{\"a\":1} \xFF");
    const auto followed = JsonDocument::LoadFile(path);
    ASSERT_TRUE(followed);
    EXPECT_EQ(followed->ToText(), "{\"a\":1}");
    WriteBytes(path, "{\"a\":");
    EXPECT_FALSE(JsonDocument::LoadFile(path));
    WriteBytes(path, "");
    EXPECT_FALSE(JsonDocument::LoadFile(path));
    WriteBytes(path, "\xEF\xBB\xBF{\"a\":\"\xC3\xA9\"}\r\n");
    const auto marked = JsonDocument::LoadFile(path);
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->ToText(), "{\"a\":\"\\u00e9\"}");
}

// BRIVO_SEALED_FOLDER names a folder in which nothing may be created,
// renamed or removed, holding a "Preferences" file that may be written
// (under Wine an immutable Unix folder; see volumes.sh).
TEST(JsonFilesInASealedFolder, TheFileIsWrittenInPlace) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"BRIVO_SEALED_FOLDER", folder, MAX_PATH)) GTEST_SKIP() << "BRIVO_SEALED_FOLDER not set";
    const std::wstring path = std::wstring(folder) + L"\\Preferences";
    auto document = JsonDocument::LoadFile(path);
    if (!document) GTEST_SKIP() << "no sealed folder could be made here";
    ASSERT_TRUE(document->SetBoolean(document->Root(), "sealed", false));
    EXPECT_EQ(SaveError(*document, path), "saved");
    const auto reread = JsonDocument::LoadFile(path);
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->ToText(), document->ToText());
    EXPECT_EQ(GetText(&reread->Root(), "sealed"), "false");
    // Nothing can be added beside it, so a new file is refused.
    EXPECT_EQ(SaveError(*document, std::wstring(folder) + L"\\Local State"), SystemErrorText(ERROR_ACCESS_DENIED));
}
