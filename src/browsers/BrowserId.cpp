#include "browsers/BrowserId.h"

#include <array>

#include "platform/StrUtil.h"

namespace {

using K = BrowserKind;
using B = BrowserId;

// Indexed by BrowserId. The members of the old Chrome family keep the
// family's names, as they always had: one button "Google Chrome",
// "chrome.exe", the start-menu key "Google Chrome" and "ChromeHTML".
const std::array<BrowserFacts, 11> kFacts = {{
    {},
    {B::Chrome, K::ChromeFamily, "chrome", L"Google Chrome", L"chrome.exe", L"Google Chrome", L"ChromeHTML",
     L"\\Google\\Chrome\\User Data\\", false},
    {B::ComodoDragon, K::ChromeFamily, "chrome", L"Google Chrome", L"chrome.exe", L"Google Chrome", L"ChromeHTML",
     L"\\Comodo\\Dragon\\User Data\\", false},
    {B::RockMelt, K::ChromeFamily, "chrome", L"Google Chrome", L"chrome.exe", L"Google Chrome", L"ChromeHTML",
     L"\\RockMelt\\User Data\\", false},
    {B::Chromium, K::ChromeFamily, "chrome", L"Google Chrome", L"chrome.exe", L"Google Chrome", L"ChromeHTML",
     L"\\Chromium\\User Data\\", false},
    {B::InternetExplorer, K::InternetExplorer, "ie", L"Internet Explorer", L"iexplore.exe", L"IEXPLORE.EXE",
     L"IE.HTTP", L"", false},
    {B::Firefox, K::Firefox, "firefox", L"Mozilla Firefox", L"firefox.exe", L"FIREFOX.EXE", L"FirefoxURL", L"",
     false},
    {B::Opera, K::Opera, "opera", L"Opera", L"opera.exe", L"OperaStable", L"OperaStable", L"", false},
    {B::Edge, K::ChromeFamily, "edge", L"Microsoft Edge", L"msedge.exe", L"Microsoft Edge", L"MSEdgeHTM",
     L"\\Microsoft\\Edge\\User Data\\", true},
    {B::Brave, K::ChromeFamily, "brave", L"Brave", L"brave.exe", L"Brave", L"BraveHTML",
     L"\\BraveSoftware\\Brave-Browser\\User Data\\", true},
    {B::Vivaldi, K::ChromeFamily, "vivaldi", L"Vivaldi", L"vivaldi.exe", L"Vivaldi", L"VivaldiHTM",
     L"\\Vivaldi\\User Data\\", true},
}};

constexpr std::array<BrowserId, 4> kChromeFamily = {B::Chrome, B::ComodoDragon, B::RockMelt, B::Chromium};
constexpr std::array<BrowserId, 3> kNewer = {B::Edge, B::Brave, B::Vivaldi};

bool SameName(std::wstring_view a, std::wstring_view b, bool caseless) {
    if (a.size() != b.size()) return false;
    if (!caseless) return a == b;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

}  // namespace

const BrowserFacts& FactsOf(BrowserId id) {
    const auto index = static_cast<std::size_t>(id);
    return index < kFacts.size() ? kFacts[index] : kFacts[0];
}

std::span<const BrowserId> ChromeFamilyMembers() { return kChromeFamily; }
std::span<const BrowserId> NewerChromiumBrowsers() { return kNewer; }

BrowserId BrowserIdFromKeyword(std::string_view keyword) {
    if (keyword.empty()) return B::None;
    for (const BrowserFacts& facts : kFacts)
        if (facts.keyword == keyword) return facts.id;
    return B::None;
}

std::string_view BrowserKeywordList() { return "chrome, ie, firefox, opera, edge, brave, vivaldi"; }

bool MatchesRegisteredName(const BrowserFacts& facts, std::wstring_view plain, std::wstring_view registered,
                           bool caseless) {
    if (plain.empty()) return false;
    if (SameName(plain, registered, caseless)) return true;
    if (!facts.suffixedRegistration || registered.size() <= plain.size() + 1) return false;
    return registered[plain.size()] == L'.' && SameName(plain, registered.substr(0, plain.size()), caseless);
}
