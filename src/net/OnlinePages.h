#pragma once
// What the update page and the news page say, read from their INI form.
#include <cstdint>
#include <string>
#include <vector>

#include "net/IniText.h"

struct UpdatePageInfo {
    std::int32_t Build = 0;
    std::wstring DownloadUrl;
    std::vector<std::wstring> NewInfo;
};

// [VerInfo] "build" (decimal or "0x" hexadecimal; otherwise currentBuild),
// [VerInfo] "NewGetUrl" (otherwise builtInDownloadUrl) and the entries of
// [NewInfo] in file order.
UpdatePageInfo ReadUpdatePage(const IniText& page, std::int32_t currentBuild,
                              const std::wstring& builtInDownloadUrl);

struct NewsPageInfo {
    std::int32_t MsgID = 0;
    bool ShowAll = true;
    std::wstring Url;
    std::int32_t FormWidth = 0;
    std::int32_t FormHeight = 0;
};

// Section [Msg]: "MsgID" (0), "ShowAll" (1, true when 1), "Url"
// (builtInMessageUrl), "FormWidth" and "FormHeight" (0).
NewsPageInfo ReadNewsPage(const IniText& page, const std::wstring& builtInMessageUrl);
