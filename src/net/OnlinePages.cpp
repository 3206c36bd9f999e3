#include "net/OnlinePages.h"

#include "platform/Utf.h"

UpdatePageInfo ReadUpdatePage(const IniText& page, std::int32_t currentBuild,
                              const std::wstring& builtInDownloadUrl) {
    UpdatePageInfo info;
    info.Build = page.ReadInteger("VerInfo", "build", currentBuild);
    const std::optional<std::string> url = page.ReadString("VerInfo", "NewGetUrl");
    info.DownloadUrl = url ? ToWide(*url) : builtInDownloadUrl;
    for (const std::string& line : page.ReadSection("NewInfo")) info.NewInfo.push_back(ToWide(line));
    return info;
}

NewsPageInfo ReadNewsPage(const IniText& page, const std::wstring& builtInMessageUrl) {
    NewsPageInfo info;
    info.MsgID = page.ReadInteger("Msg", "MsgID", 0);
    info.ShowAll = page.ReadInteger("Msg", "ShowAll", 1) == 1;
    const std::optional<std::string> url = page.ReadString("Msg", "Url");
    info.Url = url ? ToWide(*url) : builtInMessageUrl;
    info.FormWidth = page.ReadInteger("Msg", "FormWidth", 0);
    info.FormHeight = page.ReadInteger("Msg", "FormHeight", 0);
    return info;
}
