#include "net/AdFeed.h"

#include <algorithm>
#include <cwctype>

#include "app/ProfileInteger.h"
#include "net/WebAddress.h"
#include "platform/Utf.h"

namespace {

constexpr size_t kLongestCacheName = 120;

// Missing members and members of the wrong type end the reading.
struct FeedFault {};

const JsonValue& Require(const JsonValue& object, std::string_view name) {
    const JsonValue* member = Member(&object, name);
    if (!member) throw FeedFault{};
    return *member;
}

std::wstring TextMember(const JsonValue& object, std::string_view name) {
    const JsonValue& member = Require(object, name);
    if (!member.IsString() && !member.IsNumber()) throw FeedFault{};
    return ToWide(TextOf(&member));
}

std::int32_t IntegerMember(const JsonValue& object, std::string_view name) {
    const JsonValue& member = Require(object, name);
    if (member.IsString()) {
        const std::optional<std::int32_t> value = ParseProfileInteger(member.GetString());
        if (!value) throw FeedFault{};
        return *value;
    }
    if (!member.IsInt64()) throw FeedFault{};
    return static_cast<std::int32_t>(member.GetInt64());
}

std::uint32_t ColorMember(const JsonValue& object, std::string_view name) {
    const std::optional<std::uint32_t> colour = HexToColor(TextMember(object, name));
    if (!colour) throw FeedFault{};
    return *colour;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

TagBrivoAdFields ReadAd(const JsonValue& info, const AdFeedGroup& group, std::int32_t index) {
    if (!info.IsObject()) throw FeedFault{};
    TagBrivoAdFields ad;
    ad.Index = index;
    ad.Page = group.Page;
    ad.Kind = group.Kind;
    ad.Align = IntegerMember(info, "align");
    ad.Frame = IntegerMember(info, "frame");
    ad.Title = TextMember(info, "title");
    ad.Tips = TextMember(info, "tips");
    ad.Link = TextMember(info, "link");
    if (ad.Align != 5) ad.ImgSrc = TextMember(info, "imgsrc");
    ad.FontColor = ColorMember(info, "fontcolor");
    ad.FontColorOver = ColorMember(info, "fontcolorover");
    ad.FontName = TextMember(info, "fontname");
    ad.FontSize = IntegerMember(info, "fontsize");
    ad.Interval = IntegerMember(info, "interval");
    ad.Life = IntegerMember(info, "life");
    const JsonValue& rect = Require(info, "rect");
    if (!rect.IsObject()) throw FeedFault{};
    ad.Rect = {IntegerMember(rect, "left"), IntegerMember(rect, "top"), IntegerMember(rect, "right"),
               IntegerMember(rect, "bottom")};
    return ad;
}

bool IsReservedDeviceName(std::wstring_view name) {
    std::wstring stem(name.substr(0, name.find(L'.')));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
    for (const wchar_t* reserved : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (stem == reserved) return true;
    return stem.size() == 4 && (stem.rfind(L"COM", 0) == 0 || stem.rfind(L"LPT", 0) == 0) && stem[3] >= L'0' &&
           stem[3] <= L'9';
}

}  // namespace

std::wstring AdRequestUrl(const std::wstring& feedAddress, std::wstring_view version, std::wstring_view lang,
                          std::wstring_view adver) {
    return feedAddress + L"?name=kolt&ver=" + ToWide(PercentEncode(version)) + L"&lang=" +
           ToWide(PercentEncode(lang)) + L"&adver=" + ToWide(PercentEncode(adver));
}

std::optional<std::int32_t> AdReplyCodeOf(const JsonValue& feed) {
    const JsonValue* msg = Member(&feed, "msg");
    if (!msg) return std::nullopt;
    try {
        return IntegerMember(feed, "msg");
    } catch (const FeedFault&) {
        return std::nullopt;
    }
}

AdFeedContent ReadAdFeed(const JsonValue& feed) {
    AdFeedContent content;
    try {
        if (!feed.IsObject()) throw FeedFault{};
        AdFeedHeader& header = content.Header;
        header.CheckUrl = TextMember(feed, "adcheckurl");
        header.AdId = TextMember(feed, "adid");
        header.Lang = TextMember(feed, "adlang");
        header.AdVer = TextMember(feed, "adver");
        header.AdRefresh = IntegerMember(feed, "adrefresh");
        const JsonValue& groups = Require(feed, "adgroup");
        if (!groups.IsArray()) throw FeedFault{};
        content.HeaderRead = true;
        const auto count = static_cast<std::int32_t>(groups.Size());
        for (std::int32_t g = 0; g < count; ++g) {
            const JsonValue& source = groups[static_cast<rapidjson::SizeType>(g)];
            if (!source.IsObject()) throw FeedFault{};
            AdFeedGroup& group = content.Groups.emplace_back();
            group.Index = g;
            group.GroupCount = count;
            group.Kind = IntegerMember(source, "kind");
            group.Page = IntegerMember(source, "page");
            const JsonValue& infos = Require(source, "adinfo");
            if (!infos.IsArray()) throw FeedFault{};
            for (rapidjson::SizeType i = 0; i < infos.Size(); ++i) {
                group.Ads.push_back(ReadAd(infos[i], group, static_cast<std::int32_t>(i)));
                if (i == 0) {
                    group.Current = 0;
                    group.RemainingLife = group.Ads.front().Life;
                    group.Elapsed = 0;
                }
            }
        }
        content.Complete = true;
    } catch (const FeedFault&) {
        // What was built so far stays.
    }
    return content;
}

std::optional<std::uint32_t> HexToColor(std::wstring_view text) {
    if (text.empty()) return 0u;
    if (text.size() < 7) return std::nullopt;
    std::uint32_t colour = 0;
    for (int part = 0; part < 3; ++part) {
        const int high = HexDigit(text[1 + 2 * part]);
        const int low = HexDigit(text[2 + 2 * part]);
        if (high < 0 || low < 0) return std::nullopt;
        colour |= static_cast<std::uint32_t>(high * 16 + low) << (8 * part);
    }
    return colour;
}

std::optional<std::wstring> CachedPictureName(std::wstring_view imgsrc) {
    const size_t slash = imgsrc.rfind(L'/');
    const std::wstring_view name = slash == std::wstring_view::npos ? imgsrc : imgsrc.substr(slash + 1);
    if (name.empty() || name.size() > kLongestCacheName) return std::nullopt;
    if (name == L"." || name == L".." || name.find(L"..") != std::wstring_view::npos) return std::nullopt;
    for (wchar_t c : name)
        if (c < 0x20 || c == 0x7F || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return std::nullopt;
    if (name.back() == L'.' || name.back() == L' ' || name.front() == L' ') return std::nullopt;
    if (IsReservedDeviceName(name)) return std::nullopt;
    return std::wstring(name);
}

bool IsReportedAd(std::int32_t groupKind, std::int32_t index) { return groupKind != 1 || index == 0; }
