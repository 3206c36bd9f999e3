#pragma once
// A JSON reply of the rating service, read by the service's own rules rather
// than as a JSON file: a body starting with FF FE is UTF-16 LE; otherwise
// everything before the first "{" is skipped and each byte is one character
// (0..255). The first complete object counts, whatever follows it. Fields
// read leniently with defaults: a missing integer is 0, a missing string
// empty, and a number read as a string gives its decimal text.
#include "json/JsonDocument.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using TRateDocument = rapidjson::GenericDocument<rapidjson::UTF8<>, JsonAllocator, JsonHeap>;

// One member object of a reply (the reply itself, "ratings_cache", a review).
class TRateObject {
public:
    explicit TRateObject(const JsonValue& object) : object_(&object) {}

    int Integer(std::string_view name) const;
    std::wstring String(std::string_view name) const;
    double Float(std::string_view name) const;
    // The member when it is an object.
    std::optional<TRateObject> Object(std::string_view name) const;
    // The elements of the member that are objects, in order; none when it is
    // missing or no array.
    std::vector<TRateObject> Objects(std::string_view name) const;

private:
    const JsonValue* Member(std::string_view name) const;
    const JsonValue* object_;
};

// The add-on information of codes 1 (get_plug_info, add_plug).
struct TPlugInfo {
    std::wstring ServerPlugId;         // "id"
    double RatingsAverage = 0.0;       // "ratings_average"
    std::array<int, 5> StarCounts{};   // "ratings_cache" members "1" .. "5"
    // Whether the reply had the object "ratings_cache" at all: a reply
    // without it changes nothing in the reviews window.
    bool HasRatingsCache = false;
};

// One review of codes 5 and 6 (get_comments).
struct TReviewEntry {
    int CommentId = 0;
    std::wstring Nickname;
    std::wstring Content;
    int Score = 0;
    std::wstring Date;
};

class TRateReply {
public:
    // None for a body that holds no complete object (an unreadable reply).
    static std::optional<TRateReply> Read(std::string_view body);

    const TRateObject& Root() const { return root_; }
    // "msg": 0 when missing.
    int Code() const { return root_.Integer("msg"); }
    // "id" and "ratings_average" of the reply; the star counts of its
    // "ratings_cache", each 0 when missing (also when that object is).
    TPlugInfo PlugInfo() const;
    // The objects of "comment".
    std::vector<TReviewEntry> Reviews() const;

private:
    explicit TRateReply(std::shared_ptr<TRateDocument> document)
        : document_(std::move(document)), root_(*document_) {}

    std::shared_ptr<TRateDocument> document_;
    TRateObject root_;
};
