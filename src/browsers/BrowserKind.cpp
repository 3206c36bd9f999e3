#include "browsers/BrowserKind.h"

#include <iterator>

namespace {

struct BrowserNames {
    std::wstring startMenuKey;
    std::wstring urlProgId;
    std::string_view keyword;
};

// Indexed by BrowserKind.
const BrowserNames kNames[] = {
    {L"", L"", ""},
    {L"Google Chrome", L"ChromeHTML", "chrome"},
    {L"IEXPLORE.EXE", L"IE.HTTP", "ie"},
    {L"FIREFOX.EXE", L"FirefoxURL", "firefox"},
    {L"OperaStable", L"OperaStable", "opera"},
};

const BrowserNames& NamesOf(BrowserKind kind) {
    const auto index = static_cast<size_t>(kind);
    return index < std::size(kNames) ? kNames[index] : kNames[0];
}

}  // namespace

const std::wstring& StartMenuKey(BrowserKind kind) { return NamesOf(kind).startMenuKey; }
const std::wstring& UrlProgId(BrowserKind kind) { return NamesOf(kind).urlProgId; }
std::string_view BrowserKeyword(BrowserKind kind) { return NamesOf(kind).keyword; }

BrowserKind BrowserFromKeyword(std::string_view keyword) {
    for (std::size_t i = 1; i < std::size(kNames); ++i)
        if (kNames[i].keyword == keyword) return static_cast<BrowserKind>(i);
    return BrowserKind::None;
}
