#include "browsers/BrowserKind.h"

#include <iterator>

namespace {

struct BrowserNames {
    std::wstring startMenuKey;
    std::wstring urlProgId;
};

// Indexed by BrowserKind.
const BrowserNames kNames[] = {
    {L"", L""},
    {L"Google Chrome", L"ChromeHTML"},
    {L"IEXPLORE.EXE", L"IE.HTTP"},
    {L"FIREFOX.EXE", L"FirefoxURL"},
    {L"OperaStable", L"OperaStable"},
};

const BrowserNames& NamesOf(BrowserKind kind) {
    const auto index = static_cast<size_t>(kind);
    return index < std::size(kNames) ? kNames[index] : kNames[0];
}

}  // namespace

const std::wstring& StartMenuKey(BrowserKind kind) { return NamesOf(kind).startMenuKey; }
const std::wstring& UrlProgId(BrowserKind kind) { return NamesOf(kind).urlProgId; }
