#include "platform/RegistryHelpers.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "TestVariant.h"
#include "platform/SystemInfo.h"
#include "support/ScratchRegistry.h"

namespace {

using Names = std::vector<std::wstring>;

const std::wstring kSuffix = L"BrivoPMTest-" + std::to_wstring(GetCurrentProcessId());
// Under HKLM: one copy in each view, with different contents.
const std::wstring kBase = L"SOFTWARE\\" + kSuffix;
// Under HKCU (one view for both): value types and key removal.
const std::wstring kUserBase = L"Software\\" + kSuffix;
const std::wstring kUserTop = kSuffix + L"-Top";
// A subkey whose name contains "wow6432node", which switches the view rule.
const std::wstring kProbe = kBase + L"\\Wow6432NodeProbe";

HKEY CreateKey(HKEY root, const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << "cannot create the test key";
    return key;
}

void SetValue(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, DWORD type,
              const void* data, size_t size) {
    HKEY key = CreateKey(root, path, view);
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetString(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, const std::wstring& text,
               DWORD type = REG_SZ) {
    SetValue(root, path, view, name, type, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void SetNumber(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, DWORD number) {
    SetValue(root, path, view, name, REG_DWORD, &number, sizeof(number));
}

// Data of a multi-string: each string and its NUL, then the closing NUL.
std::wstring MultiString(std::initializer_list<std::wstring> strings) {
    std::wstring data;
    for (const auto& s : strings) data += s + L'\0';
    return data + L'\0';
}

void SetMulti(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, const std::wstring& data,
              DWORD type = REG_MULTI_SZ) {
    SetValue(root, path, view, name, type, data.data(), data.size() * sizeof(wchar_t));
}

// Removes a test key in one view. The key's own handle carries the view, so
// the tree deletion below it stays in that view.
void DeleteTestKey(HKEY root, const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS) return;
    RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExW(root, path.c_str(), view, 0);
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

class RegistryHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsWin64) << "these tests need the 64-bit Wine prefix";
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            const bool is64 = view == KEY_WOW64_64KEY;
            const std::wstring tag = is64 ? L"64" : L"32";
            SetString(HKEY_LOCAL_MACHINE, kBase, view, L"Where", tag + L"-bit view");
            SetNumber(HKEY_LOCAL_MACHINE, kBase, view, L"Number", is64 ? 64 : 32);
            SetString(HKEY_LOCAL_MACHINE, kBase, view, L"Blob", L"b" + tag);
            // A binary value is UTF-16 text for the readers; REG_BINARY here.
            SetValue(HKEY_LOCAL_MACHINE, kBase, view, L"Blob", REG_BINARY, (L"b" + tag).c_str(), 3 * sizeof(wchar_t));
            SetMulti(HKEY_LOCAL_MACHINE, kBase, view, L"Multi", MultiString({L"m" + tag}));
            SetString(HKEY_LOCAL_MACHINE, kBase, view, L"Only" + tag + L"Value", tag);
            RegCloseKey(CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Only" + tag, view));
            SetString(HKEY_LOCAL_MACHINE, kProbe, view, L"Where", tag + L"-bit probe");
            SetNumber(HKEY_LOCAL_MACHINE, kProbe, view, L"Number", is64 ? 640 : 320);
            SetString(HKEY_LOCAL_MACHINE, kProbe, view, L"Probe" + tag + L"Value", tag);
            RegCloseKey(CreateKey(HKEY_LOCAL_MACHINE, kProbe + L"\\Probe" + tag + L"Child", view));
        }
        ASSERT_EQ(RawString(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_64KEY, L"Where"), L"64-bit view");
        ASSERT_EQ(RawString(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_32KEY, L"Where"), L"32-bit view");
        RegCloseKey(CreateKey(HKEY_CURRENT_USER, kUserBase, 0));
    }

    void TearDown() override {
        DeleteTestKey(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_64KEY);
        DeleteTestKey(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_32KEY);
        RestoreAccess(HKEY_CURRENT_USER, kUserBase + L"\\Denied");
        DeleteTestKey(HKEY_CURRENT_USER, kUserBase, 0);
        DeleteTestKey(HKEY_CURRENT_USER, kUserTop, 0);
        EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_64KEY));
        EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_32KEY));
        EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserBase, 0));
    }

    // Gives the key an empty access list: nobody may read it any more.
    static void DenyAllAccess(HKEY root, const std::wstring& path) {
        HKEY key = CreateKey(root, path, 0);
        ACL acl;
        ASSERT_TRUE(InitializeAcl(&acl, sizeof(acl), ACL_REVISION));
        ASSERT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // The owner may still change the access list back and delete the key.
    static void RestoreAccess(HKEY root, const std::wstring& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
        SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
    }
};

TEST_F(RegistryHelpers, AccessMasksCarryThe64BitViewFlagOn64BitWindows) {
    EXPECT_EQ(RegAccessMask(true), 0x20119u);
    EXPECT_EQ(RegAccessMask(false), 0xF013Fu);
    EXPECT_EQ(ViewRuleMask(L"SOFTWARE\\Clients", true), 0x20119u);
    EXPECT_EQ(ViewRuleMask(L"SOFTWARE\\Clients", false), 0xF013Fu);
}

TEST_F(RegistryHelpers, ViewAwareTextReadsThe64BitViewAndPlainTextReadsThe32BitView) {
    const RegText aware = RegReadText(HKEY_LOCAL_MACHINE, kBase, L"Where", true);
    EXPECT_TRUE(aware.opened);
    EXPECT_EQ(aware.text, L"64-bit view");
    const RegText plain = RegReadText(HKEY_LOCAL_MACHINE, kBase, L"Where", false);
    EXPECT_TRUE(plain.opened);
    EXPECT_EQ(plain.text, L"32-bit view");
}

TEST_F(RegistryHelpers, IntegerAndBinaryReadsUseThe64BitViewEvenWhenNotViewAware) {
    EXPECT_EQ(RegReadInteger(HKEY_LOCAL_MACHINE, kBase, L"Number", true, 7), 64u);
    EXPECT_EQ(RegReadInteger(HKEY_LOCAL_MACHINE, kBase, L"Number", false, 7), 64u);
    EXPECT_EQ(RegReadBinaryText(HKEY_LOCAL_MACHINE, kBase, L"Blob", true), L"b64");
    EXPECT_EQ(RegReadBinaryText(HKEY_LOCAL_MACHINE, kBase, L"Blob", false), L"b64");
}

TEST_F(RegistryHelpers, MultiStringReadsAlwaysUseThe32BitView) {
    EXPECT_EQ(RegReadMultiString(HKEY_LOCAL_MACHINE, kBase, L"Multi"), L"m32\r\n");
}

TEST_F(RegistryHelpers, TextOfBinaryAndMultiStringValuesComesFromTheKeyThatWasOpened) {
    // Values that exist in one view only: the text must not be looked up in
    // the other view.
    SetMulti(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_64KEY, L"Multi64Only", MultiString({L"only", L"64"}));
    SetValue(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_32KEY, L"Blob32Only", REG_BINARY, L"only32", 12);
    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, kBase, L"Multi64Only", true).text, L"only\r\n64\r\n");
    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, kBase, L"Blob32Only", false).text, L"only32");
    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, kBase, L"Multi", true).text, L"m64\r\n");
    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, kBase, L"Blob", false).text, L"b32");
}

TEST_F(RegistryHelpers, KeyExistenceFollowsTheView) {
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Only64", true));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Only32", true));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Only32", false));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Only64", false));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", true));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", false));
}

TEST_F(RegistryHelpers, KeyThatDeniesReadingStillExists) {
    const std::wstring denied = kUserBase + L"\\Denied";
    DenyAllAccess(HKEY_CURRENT_USER, denied);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, denied.c_str(), 0, KEY_READ, &key), ERROR_ACCESS_DENIED)
        << "the access list did not take effect";
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, denied, false));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, denied, true));
    EXPECT_FALSE(RegReadText(HKEY_CURRENT_USER, denied, L"", false).opened);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kUserBase + L"\\Missing", false));
}

TEST_F(RegistryHelpers, KeyAndValueNamesFollowTheirViews) {
    Names names;
    ASSERT_TRUE(RegGetKeyNames(HKEY_LOCAL_MACHINE, kBase, names, true, true));
    EXPECT_EQ(Sorted(names), (Names{L"Only64", L"Wow6432NodeProbe"}));
    ASSERT_TRUE(RegGetKeyNames(HKEY_LOCAL_MACHINE, kBase, names, false, false));
    EXPECT_EQ(Sorted(names), (Names{L"Only32", L"Wow6432NodeProbe"}));

    ASSERT_TRUE(RegGetValueNames(HKEY_LOCAL_MACHINE, kBase, names, true, true));
    EXPECT_EQ(Sorted(names), (Names{L"Blob", L"Multi", L"Number", L"Only64Value", L"Where"}));
    ASSERT_TRUE(RegGetValueNames(HKEY_LOCAL_MACHINE, kBase, names, false, false));
    EXPECT_EQ(Sorted(names), (Names{L"Blob", L"Multi", L"Number", L"Only32Value", L"Where"}));
}

TEST_F(RegistryHelpers, NameListsAreReplacedWhenTheKeyOpensAndUntouchedWhenItDoesNot) {
    Names names{L"sentinel"};
    EXPECT_FALSE(RegGetKeyNames(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", names, true, true));
    EXPECT_FALSE(RegGetKeyNames(HKEY_LOCAL_MACHINE, kBase + L"\\Only64", names, true, false));
    EXPECT_FALSE(RegGetValueNames(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", names, true, true));
    EXPECT_FALSE(RegGetValueNames(HKEY_LOCAL_MACHINE, kBase + L"\\Only32", names, false, true));
    EXPECT_EQ(names, Names{L"sentinel"});

    ASSERT_TRUE(RegGetKeyNames(HKEY_LOCAL_MACHINE, kBase + L"\\Only64", names, true, true));
    EXPECT_TRUE(names.empty());
    names = {L"sentinel"};
    ASSERT_TRUE(RegGetValueNames(HKEY_LOCAL_MACHINE, kBase + L"\\Only32", names, true, false));
    EXPECT_TRUE(names.empty());
}

TEST_F(RegistryHelpers, LongValueNamesAreListedInFull) {
    const std::wstring longName(300, L'v');
    SetString(HKEY_CURRENT_USER, kUserBase, 0, longName, L"x");
    Names names;
    ASSERT_TRUE(RegGetValueNames(HKEY_CURRENT_USER, kUserBase, names, true, true));
    EXPECT_EQ(names, Names{longName});
}

TEST_F(RegistryHelpers, LiteralWow6432NodePathReachesThe32BitDataOnWindows7) {
    if (IsLegacyWow64()) GTEST_SKIP() << "Windows 7 and later only";
    EXPECT_EQ(ViewRuleMask(L"SOFTWARE\\WOW6432NODE\\Microsoft", true), 0x20119u);
    EXPECT_EQ(ViewRuleMask(L"SOFTWARE\\Wow6432Node\\Microsoft", false), 0xF013Fu);
    Names names;
    ASSERT_TRUE(RegGetKeyNames(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432NODE\\" + kSuffix, names, true, true));
    EXPECT_EQ(Sorted(names), (Names{L"Only32", L"Wow6432NodeProbe"}));
    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\" + kSuffix, L"Where", true).text,
              L"32-bit view");
}

// On Windows 7 the rule keeps every path in the 64-bit view, including a key
// whose name merely contains "wow6432node".
TEST_F(RegistryHelpers, PathNamingWow6432NodeStaysInThe64BitViewOnWindows7) {
    if (IsLegacyWow64()) GTEST_SKIP() << "Windows 7 and later only";
    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, kProbe, L"Where", true).text, L"64-bit probe");
    EXPECT_EQ(RegReadInteger(HKEY_LOCAL_MACHINE, kProbe, L"Number", true, 0), 640u);
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kProbe + L"\\Probe64Child", true));
    Names names;
    ASSERT_TRUE(RegGetKeyNames(HKEY_LOCAL_MACHINE, kProbe, names, true, true));
    EXPECT_EQ(names, Names{L"Probe64Child"});
}

TEST_F(RegistryHelpers, PathNamingWow6432NodeGoesToThe32BitViewOnVista) {
    SKIP_UNLESS_VERSION(6, 0);
    EXPECT_EQ(ViewRuleMask(L"SOFTWARE\\WOW6432NODE\\Microsoft", true), 0x20219u);
    EXPECT_EQ(ViewRuleMask(L"software\\wow6432node\\Microsoft", false), 0xF023Fu);
    EXPECT_EQ(ViewRuleMask(L"SOFTWARE\\Microsoft", true), 0x20119u);
    EXPECT_EQ(RegAccessMask(true), 0x20119u);

    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, kProbe, L"Where", true).text, L"32-bit probe");
    EXPECT_EQ(RegReadInteger(HKEY_LOCAL_MACHINE, kProbe, L"Number", true, 0), 320u);
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kProbe + L"\\Probe32Child", true));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kProbe + L"\\Probe64Child", true));
    Names names;
    ASSERT_TRUE(RegGetKeyNames(HKEY_LOCAL_MACHINE, kProbe, names, true, true));
    EXPECT_EQ(names, Names{L"Probe32Child"});
    // Value names ignore the rule and stay in the 64-bit view.
    ASSERT_TRUE(RegGetValueNames(HKEY_LOCAL_MACHINE, kProbe, names, true, true));
    EXPECT_EQ(Sorted(names), (Names{L"Number", L"Probe64Value", L"Where"}));
    // Paths without the name stay in the 64-bit view on Vista too.
    EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, kBase, L"Where", true).text, L"64-bit view");

    RegWriteString(HKEY_LOCAL_MACHINE, kProbe, L"Written", L"on vista");
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kProbe, KEY_WOW64_32KEY, L"Written"), L"on vista");
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kProbe, KEY_WOW64_64KEY, L"Written"), L"(none)");
    EXPECT_TRUE(RegRemoveValue(HKEY_LOCAL_MACHINE, kProbe, L"Probe32Value"));
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kProbe, KEY_WOW64_32KEY, L"Probe32Value"), L"(none)");
    EXPECT_TRUE(RegRemoveKey(HKEY_LOCAL_MACHINE, kProbe + L"\\Probe32Child"));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kProbe + L"\\Probe32Child", KEY_WOW64_32KEY));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kProbe + L"\\Probe64Child", KEY_WOW64_64KEY));
}

TEST_F(RegistryHelpers, TextOfEachValueType) {
    const HKEY root = HKEY_CURRENT_USER;
    SetString(root, kUserBase, 0, L"", L"default value");
    SetString(root, kUserBase, 0, L"String", L"plain");
    SetString(root, kUserBase, 0, L"Expandable", L"%TEMP%\\brivo", REG_EXPAND_SZ);
    SetValue(root, kUserBase, 0, L"Binary", REG_BINARY, L"bin\0junk", 9 * sizeof(wchar_t));
    SetValue(root, kUserBase, 0, L"BinaryOdd", REG_BINARY, "a\0b\0c", 5);  // "ab" and a stray byte
    SetNumber(root, kUserBase, 0, L"Integer", 42);
    SetMulti(root, kUserBase, 0, L"List", MultiString({L"a", L"b"}));
    SetMulti(root, kUserBase, 0, L"Single", MultiString({L"x"}));
    SetMulti(root, kUserBase, 0, L"Other", MultiString({L"q"}), REG_NONE);

    auto text = [&](const wchar_t* name) { return RegReadText(root, kUserBase, name, true).text; };
    EXPECT_EQ(text(L""), L"default value");
    EXPECT_EQ(text(L"String"), L"plain");
    EXPECT_EQ(text(L"Expandable"), L"%TEMP%\\brivo");
    EXPECT_EQ(text(L"Binary"), L"bin");
    EXPECT_EQ(text(L"BinaryOdd"), L"ab");
    EXPECT_EQ(text(L"Integer"), L"");
    EXPECT_EQ(text(L"List"), L"a\r\nb\r\n");  // a, NUL, b, NUL, NUL: 10 bytes
    EXPECT_EQ(text(L"Single"), L"x\r\n");     // 6 bytes
    EXPECT_EQ(text(L"Other"), L"q\r\n");
    EXPECT_EQ(RegReadMultiString(root, kUserBase, L"List"), L"a\r\nb\r\n");
    EXPECT_EQ(RegReadBinaryText(root, kUserBase, L"String", false), L"plain");
    EXPECT_EQ(RegReadInteger(root, kUserBase, L"Integer", false, 7), 42u);
    EXPECT_EQ(RegReadInteger(root, kUserBase, L"String", false, 7), 7u);

    const RegText missingValue = RegReadText(root, kUserBase, L"Missing", true);
    EXPECT_TRUE(missingValue.opened);
    EXPECT_EQ(missingValue.text, L"");
    const RegText missingKey = RegReadText(root, kUserBase + L"\\Missing", L"String", true);
    EXPECT_FALSE(missingKey.opened);
    EXPECT_EQ(missingKey.text, L"");
    EXPECT_EQ(RegReadInteger(root, kUserBase + L"\\Missing", L"Integer", true, 7), 7u);
    EXPECT_EQ(RegReadBinaryText(root, kUserBase + L"\\Missing", L"Binary", true), L"");
    EXPECT_EQ(RegReadMultiString(root, kUserBase + L"\\Missing", L"List"), L"");
}

TEST_F(RegistryHelpers, MultiStringsOf1024BytesOrMoreGiveEmptyText) {
    const HKEY root = HKEY_CURRENT_USER;
    // 510 code units of "y" plus the string's and the list's NULs: 1022 bytes.
    SetMulti(root, kUserBase, 0, L"Fits", std::wstring(509, L'y') + L'\0' + L'\0');
    SetMulti(root, kUserBase, 0, L"TooLong", std::wstring(510, L'y') + L'\0' + L'\0');  // 1024 bytes
    SetMulti(root, kUserBase, 0, L"Huge", std::wstring(40000, L'y') + L'\0' + L'\0');   // past 64 KiB
    EXPECT_EQ(RegReadMultiString(root, kUserBase, L"Fits"), std::wstring(509, L'y') + L"\r\n");
    EXPECT_EQ(RegReadText(root, kUserBase, L"Fits", false).text, std::wstring(509, L'y') + L"\r\n");
    EXPECT_EQ(RegReadMultiString(root, kUserBase, L"TooLong"), L"");
    EXPECT_EQ(RegReadText(root, kUserBase, L"TooLong", false).text, L"");
    EXPECT_EQ(RegReadMultiString(root, kUserBase, L"Huge"), L"");
    EXPECT_EQ(RegReadText(root, kUserBase, L"Huge", true).text, L"");
}

TEST_F(RegistryHelpers, LongStringsAreReadInFull) {
    const std::wstring longText(70000, L's');
    SetString(HKEY_CURRENT_USER, kUserBase, 0, L"Long", longText);
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, kUserBase, L"Long", true).text, longText);
}

TEST_F(RegistryHelpers, WritingAStringNeedsAnExistingKeyInThe64BitView) {
    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, kBase, L"Written", L"hello"));
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_64KEY, L"Written"), L"hello");
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_32KEY, L"Written"), L"(none)");
    // Only32 is missing from the 64-bit view: nothing is created or written.
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, kBase + L"\\Only32", L"Written", L"hello"));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Only32", KEY_WOW64_64KEY));
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kBase + L"\\Only32", KEY_WOW64_32KEY, L"Written"), L"(none)");
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", L"Written", L"hello"));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", KEY_WOW64_64KEY));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", KEY_WOW64_32KEY));
}

TEST_F(RegistryHelpers, RemovingAValueTouchesOnlyThe64BitView) {
    EXPECT_TRUE(RegRemoveValue(HKEY_LOCAL_MACHINE, kBase, L"Where"));
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_64KEY, L"Where"), L"(none)");
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_32KEY, L"Where"), L"32-bit view");
    EXPECT_FALSE(RegRemoveValue(HKEY_LOCAL_MACHINE, kBase, L"Where"));
    EXPECT_FALSE(RegRemoveValue(HKEY_LOCAL_MACHINE, kBase, L"Only32Value"));
    EXPECT_FALSE(RegRemoveValue(HKEY_LOCAL_MACHINE, kBase + L"\\Missing", L"Where"));
}

TEST_F(RegistryHelpers, RemovingAThreeLevelPathDeletesTheLastLevelWithEverythingUnderIt) {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        SetString(HKEY_LOCAL_MACHINE, kBase + L"\\Victim\\Deep\\Deeper", view, L"v", L"x");
        SetString(HKEY_LOCAL_MACHINE, kBase + L"\\Victim", view, L"v", L"x");
    }
    EXPECT_TRUE(RegRemoveKey(HKEY_LOCAL_MACHINE, kBase + L"\\Victim"));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Victim", KEY_WOW64_64KEY));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase, KEY_WOW64_64KEY));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Only64", KEY_WOW64_64KEY));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Victim\\Deep\\Deeper", KEY_WOW64_32KEY));
    EXPECT_FALSE(RegRemoveKey(HKEY_LOCAL_MACHINE, kBase + L"\\Victim"));
}

TEST_F(RegistryHelpers, RemovingAPathWithoutBackslashDeletesTheKeyUnderTheRoot) {
    SetString(HKEY_CURRENT_USER, kUserTop + L"\\Child", 0, L"v", L"x");
    EXPECT_TRUE(RegRemoveKey(HKEY_CURRENT_USER, kUserTop));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserTop, 0));
}

TEST_F(RegistryHelpers, RemovingAPathWithLeadingOrTrailingBackslashStartsAtTheRoot) {
    SetString(HKEY_CURRENT_USER, kUserBase + L"\\Victim\\Child", 0, L"v", L"x");
    EXPECT_TRUE(RegRemoveKey(HKEY_CURRENT_USER, L"\\" + kUserBase + L"\\Victim"));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserBase + L"\\Victim", 0));

    RegCloseKey(CreateKey(HKEY_CURRENT_USER, kUserTop, 0));
    EXPECT_TRUE(RegRemoveKey(HKEY_CURRENT_USER, L"\\" + kUserTop));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserTop, 0));

    SetString(HKEY_CURRENT_USER, kUserBase + L"\\Victim\\Child", 0, L"v", L"x");
    EXPECT_TRUE(RegRemoveKey(HKEY_CURRENT_USER, kUserBase + L"\\Victim\\"));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserBase + L"\\Victim", 0));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kUserBase, 0));
}

TEST_F(RegistryHelpers, RemovingAnEmptyOrBlankPathDeletesNothing) {
    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, L""));
    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, L"   "));
    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, L"\\"));
    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, L"\\\\"));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kUserBase, 0));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, L"Software", 0));
}

TEST(RootKeys, NamesMatchInAnyLetterCaseAndOthersMeanClassesRoot) {
    EXPECT_EQ(RootKeyFromName(L"hkey_local_machine"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootKeyFromName(L"HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
    EXPECT_EQ(RootKeyFromName(L"Hkey_Users"), HKEY_USERS);
    EXPECT_EQ(RootKeyFromName(L"HKEY_CURRENT_CONFIG"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(RootKeyFromName(L"HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyFromName(L"HKLM"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyFromName(L"HKEY_LOCAL_MACHINE\\SOFTWARE"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyFromName(L""), HKEY_CLASSES_ROOT);
}

TEST(RootKeys, NamesOfTheFiveRootsAndOtherRootsLeaveTheTextAlone) {
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG}) {
        std::wstring name = L"unchanged";
        RootKeyName(root, name);
        EXPECT_EQ(RootKeyFromName(name), root) << name;
    }
    std::wstring name = L"HKEY_LOCAL_MACHINE";
    RootKeyName(HKEY_CURRENT_USER, name);
    EXPECT_EQ(name, L"HKEY_CURRENT_USER");
    name = L"unchanged";
    RootKeyName(HKEY_PERFORMANCE_DATA, name);
    EXPECT_EQ(name, L"unchanged");
}

}  // namespace
