#include "net/rating/RateReply.h"


#include <cmath>
#include <limits>
#include <new>

#include "net/rating/DecimalText.h"
#include "platform/Utf.h"

namespace {

// The body as UTF-8 text for the parser.
std::string BodyText(std::string_view body) {
    std::string text;
    if (body.size() >= 2 && static_cast<unsigned char>(body[0]) == 0xFF &&
        static_cast<unsigned char>(body[1]) == 0xFE) {
        text.reserve(body.size());
        char32_t pendingHigh = 0;
        for (size_t i = 2; i + 1 < body.size(); i += 2) {
            const char32_t unit =
                static_cast<unsigned char>(body[i]) | (static_cast<char32_t>(static_cast<unsigned char>(body[i + 1])) << 8);
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                if (pendingHigh) AppendUtf8(text, 0xFFFD);
                pendingHigh = unit;
                continue;
            }
            if (unit >= 0xDC00 && unit <= 0xDFFF && pendingHigh) {
                AppendUtf8(text, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
                pendingHigh = 0;
                continue;
            }
            if (pendingHigh) AppendUtf8(text, 0xFFFD);
            pendingHigh = 0;
            AppendUtf8(text, unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
        if (pendingHigh) AppendUtf8(text, 0xFFFD);
        const size_t brace = text.find('{');
        return brace == std::string::npos ? std::string() : text.substr(brace);
    }
    const size_t brace = body.find('{');
    if (brace == std::string_view::npos) return {};
    text.reserve((body.size() - brace) * 2);
    for (const char c : body.substr(brace)) AppendUtf8(text, static_cast<unsigned char>(c));
    return text;
}

int Clamped(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

}  // namespace

const JsonValue* TRateObject::Member(std::string_view name) const {
    if (!object_->IsObject()) return nullptr;
    const auto found =
        object_->FindMember(JsonValue(name.data(), static_cast<rapidjson::SizeType>(name.size())));
    return found == object_->MemberEnd() ? nullptr : &found->value;
}

int TRateObject::Integer(std::string_view name) const {
    const JsonValue* value = Member(name);
    if (!value) return 0;
    if (value->IsInt()) return value->GetInt();
    if (value->IsNumber()) return Clamped(value->GetDouble());
    if (value->IsString()) {
        const std::optional<double> number =
            ParseDecimal(std::string_view(value->GetString(), value->GetStringLength()));
        return number ? Clamped(*number) : 0;
    }
    if (value->IsBool()) return value->GetBool() ? 1 : 0;
    return 0;
}

std::wstring TRateObject::String(std::string_view name) const {
    const JsonValue* value = Member(name);
    if (!value) return {};
    if (value->IsString()) return ToWide(std::string_view(value->GetString(), value->GetStringLength()));
    if (value->IsInt64()) return std::to_wstring(value->GetInt64());
    if (value->IsUint64()) return std::to_wstring(value->GetUint64());
    if (value->IsDouble()) {
        const double d = value->GetDouble();
        if (std::trunc(d) == d && std::fabs(d) < 1e15) return std::to_wstring(static_cast<long long>(d));
        std::wstring text = std::to_wstring(d);  // six decimals; trailing zeros dropped
        while (!text.empty() && text.back() == L'0') text.pop_back();
        if (!text.empty() && text.back() == L'.') text.pop_back();
        return text;
    }
    if (value->IsBool()) return value->GetBool() ? L"true" : L"false";
    return {};
}

double TRateObject::Float(std::string_view name) const {
    const JsonValue* value = Member(name);
    if (!value) return 0.0;
    if (value->IsNumber()) return value->GetDouble();
    if (value->IsString()) {
        return ParseDecimal(std::string_view(value->GetString(), value->GetStringLength())).value_or(0.0);
    }
    return 0.0;
}

std::optional<TRateObject> TRateObject::Object(std::string_view name) const {
    const JsonValue* value = Member(name);
    if (!value || !value->IsObject()) return std::nullopt;
    return TRateObject(*value);
}

std::vector<TRateObject> TRateObject::Objects(std::string_view name) const {
    std::vector<TRateObject> objects;
    const JsonValue* value = Member(name);
    if (!value || !value->IsArray()) return objects;
    for (const JsonValue& element : value->GetArray()) {
        if (element.IsObject()) objects.emplace_back(element);
    }
    return objects;
}

std::optional<TRateReply> TRateReply::Read(std::string_view body) {
    const std::string text = BodyText(body);
    if (text.empty()) return std::nullopt;
    try {
        auto document = std::make_shared<TRateDocument>();
        // Iterative: a reply nested very deeply costs heap, not stack. A zero
        // byte ends the text; inside an object it would not be JSON anyway.
        rapidjson::StringStream stream(text.c_str());
        document->ParseStream<rapidjson::kParseStopWhenDoneFlag | rapidjson::kParseIterativeFlag>(stream);
        if (document->HasParseError() || !document->IsObject()) return std::nullopt;
        return TRateReply(std::move(document));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

TPlugInfo TRateReply::PlugInfo() const {
    TPlugInfo info;
    info.ServerPlugId = root_.String("id");
    info.RatingsAverage = root_.Float("ratings_average");
    const std::optional<TRateObject> cache = root_.Object("ratings_cache");
    if (!cache) return info;
    info.HasRatingsCache = true;
    for (int stars = 1; stars <= 5; ++stars) info.StarCounts[stars - 1] = cache->Integer(std::to_string(stars));
    return info;
}

std::vector<TReviewEntry> TRateReply::Reviews() const {
    std::vector<TReviewEntry> reviews;
    for (const TRateObject& comment : root_.Objects("comment")) {
        TReviewEntry entry;
        entry.CommentId = comment.Integer("id");
        entry.Nickname = comment.String("nickname");
        entry.Content = comment.String("content");
        entry.Score = comment.Integer("score");
        entry.Date = comment.String("date");
        reviews.push_back(std::move(entry));
    }
    return reviews;
}
