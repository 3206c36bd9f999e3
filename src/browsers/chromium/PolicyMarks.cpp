#include "browsers/chromium/PolicyMarks.h"

#include <algorithm>
#include <optional>

#include "app/AppConfig.h"

namespace {

constexpr wchar_t kSection[] = L"Policy";

std::wstring KeyOf(const std::wstring& browserKey, PolicyMark mark) {
    return (mark == PolicyMark::Blocked ? L"Blocked " : L"Removed ") + browserKey;
}

std::vector<std::wstring> SplitIds(const std::wstring& text) {
    std::vector<std::wstring> ids;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(L' ', at), text.size());
        if (end > at) ids.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return ids;
}

}  // namespace

std::vector<std::wstring> MarkedIds(const std::wstring& browserKey, PolicyMark mark) {
    const std::optional<std::wstring> text = ReadSettingsText(kSection, KeyOf(browserKey, mark));
    return text ? SplitIds(*text) : std::vector<std::wstring>{};
}

bool IsMarked(const std::wstring& browserKey, PolicyMark mark, const std::wstring& id) {
    const std::vector<std::wstring> ids = MarkedIds(browserKey, mark);
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool SetMarked(const std::wstring& browserKey, PolicyMark mark, const std::wstring& id, bool marked) {
    std::vector<std::wstring> ids = MarkedIds(browserKey, mark);
    ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
    if (marked) ids.push_back(id);
    std::wstring text;
    for (const std::wstring& each : ids) text += (text.empty() ? L"" : L" ") + each;
    return WriteSettingsText(kSection, KeyOf(browserKey, mark), text);
}
