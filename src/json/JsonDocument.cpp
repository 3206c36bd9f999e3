#include "json/JsonDocument.h"

#include "json/JsonWriter.h"
#include "platform/Utf.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {

// Iterative: a hostile file nested a hundred thousand levels deep costs heap,
// not stack. UTF-8 is checked apart from the parser, which is much faster at
// it than the parser's own check of every string.
constexpr unsigned kParseFlags = rapidjson::kParseStopWhenDoneFlag | rapidjson::kParseIterativeFlag;

bool NameIs(const JsonValue& key, std::string_view name) {
    return key.GetStringLength() == name.size() &&
           (name.empty() || std::memcmp(key.GetString(), name.data(), name.size()) == 0);
}

constexpr std::size_t kMaxCopyDepth = 256;

// How many arrays and objects deep the value goes, measured without recursion.
std::size_t NestingDepth(const JsonValue& value) {
    std::vector<std::pair<const JsonValue*, std::size_t>> pending{{&value, 0}};
    std::size_t deepest = 0;
    while (!pending.empty()) {
        const auto [at, depth] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, depth);
        if (depth > kMaxCopyDepth) return depth;
        if (at->IsObject()) {
            for (rapidjson::SizeType i = 0; i < at->MemberCount(); ++i)
                pending.push_back({&at->MemberBegin()[i].value, depth + 1});
        } else if (at->IsArray()) {
            for (rapidjson::SizeType i = 0; i < at->Size(); ++i) pending.push_back({&(*at)[i], depth + 1});
        }
    }
    return deepest;
}

// The last member of that name (later duplicates win, as in the browsers),
// or nullptr. Indexes, not iterators: RapidJSON's iterator comparisons are
// ambiguous in C++20.
JsonValue::Member* FindLastMember(JsonValue& object, std::string_view name) {
    const auto members = object.MemberBegin();
    for (rapidjson::SizeType i = object.MemberCount(); i > 0; --i)
        if (NameIs(members[i - 1].name, name)) return &members[i - 1];
    return nullptr;
}

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

void* JsonHeap::Malloc(std::size_t size) {
    if (size == 0) return nullptr;
    void* block = std::malloc(size);
    if (!block) throw std::bad_alloc();
    return block;
}

void* JsonHeap::Realloc(void* original, std::size_t, std::size_t newSize) {
    if (newSize == 0) {
        std::free(original);
        return nullptr;
    }
    void* block = std::realloc(original, newSize);
    if (!block) throw std::bad_alloc();
    return block;
}

void JsonHeap::Free(void* block) { std::free(block); }

JsonDocument::JsonDocument() = default;
JsonDocument::JsonDocument(JsonDocument&&) noexcept = default;
JsonDocument& JsonDocument::operator=(JsonDocument&&) noexcept = default;
JsonDocument::~JsonDocument() = default;

JsonDocument JsonDocument::EmptyObject() {
    JsonDocument document;
    document.root_.SetObject();
    return document;
}

std::optional<JsonDocument> JsonDocument::Parse(const std::string& text) {
    std::size_t consumed = 0;
    auto document = ParseLeading(text.c_str(), consumed);
    // Whatever follows the value is ignored, also when it is not text.
    if (document && !IsValidUtf8(std::string_view(text).substr(0, consumed))) return std::nullopt;
    return document;
}

std::optional<JsonDocument> JsonDocument::ParseFileBytes(const std::string& bytes) {
    std::size_t skip = 0;
    if (bytes.compare(0, 3, kByteOrderMark) == 0) skip = 3;
    std::size_t consumed = 0;
    auto document = ParseLeading(bytes.c_str() + skip, consumed);
    // As in Parse: what follows the value is ignored, text or not.
    if (document && !IsValidUtf8(std::string_view(bytes).substr(skip, consumed))) return std::nullopt;
    return document;
}

std::optional<JsonDocument> JsonDocument::ParseLeading(const char* text, std::size_t& consumed) {
    try {
        JsonDocument document;
        // The reader takes a zero byte as the end of the text; a zero byte
        // inside the value is not valid JSON anyway.
        rapidjson::StringStream stream(text);
        document.root_.ParseStream<kParseFlags>(stream);
        if (document.root_.HasParseError()) return std::nullopt;
        consumed = stream.Tell();
        return document;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::string JsonDocument::ToText() const {
    std::string text;
    AppendJsonValue(text, root_);
    return text;
}

bool JsonDocument::SetMember(JsonValue& object, std::string_view name, JsonValue&& value) {
    if (!object.IsObject()) return false;
    auto& allocator = root_.GetAllocator();
    if (JsonValue::Member* found = FindLastMember(object, name)) {
        found->value = value;  // RapidJSON assignment moves
    } else {
        JsonValue key(name.empty() ? "" : name.data(), static_cast<rapidjson::SizeType>(name.size()), allocator);
        object.AddMember(key, value, allocator);
    }
    return true;
}

bool JsonDocument::SetInteger(JsonValue& object, std::string_view name, std::int64_t value) {
    return SetMember(object, name, JsonValue(static_cast<int64_t>(value)));
}

bool JsonDocument::SetBoolean(JsonValue& object, std::string_view name, bool value) {
    return SetMember(object, name, JsonValue(value));
}

bool JsonDocument::SetString(JsonValue& object, std::string_view name, std::string_view text) {
    if (!object.IsObject()) return false;
    JsonValue value(text.empty() ? "" : text.data(), static_cast<rapidjson::SizeType>(text.size()),
                    root_.GetAllocator());
    return SetMember(object, name, std::move(value));
}

bool JsonDocument::SetNumber(JsonValue& object, std::string_view name, double value) {
    return SetMember(object, name, JsonValue(value));
}

JsonValue* JsonDocument::EnsureArray(JsonValue& object, std::string_view name) {
    if (!object.IsObject()) return nullptr;
    if (JsonValue::Member* found = FindLastMember(object, name)) {
        if (!found->value.IsArray()) found->value.SetArray();
        return &found->value;
    }
    SetMember(object, name, JsonValue(rapidjson::kArrayType));
    return &(object.MemberEnd() - 1)->value;
}

JsonValue* JsonDocument::EnsureObject(JsonValue& object, std::string_view name) {
    if (!object.IsObject()) return nullptr;
    if (JsonValue::Member* found = FindLastMember(object, name)) {
        if (!found->value.IsObject()) found->value.SetObject();
        return &found->value;
    }
    SetMember(object, name, JsonValue(rapidjson::kObjectType));
    return &(object.MemberEnd() - 1)->value;
}

bool JsonDocument::SetCopy(JsonValue& object, std::string_view name, const JsonValue& value) {
    // RapidJSON copies recursively: a value nested deeper than a browser's
    // settings ever are is refused rather than risk the stack.
    if (!object.IsObject() || NestingDepth(value) > kMaxCopyDepth) return false;
    return SetMember(object, name, JsonValue(value, root_.GetAllocator()));
}

bool JsonDocument::AppendCopy(JsonValue& array, const JsonValue& value) {
    if (!array.IsArray() || NestingDepth(value) > kMaxCopyDepth) return false;
    array.PushBack(JsonValue(value, root_.GetAllocator()), root_.GetAllocator());
    return true;
}

bool JsonDocument::DeleteMember(JsonValue& object, std::string_view name) {
    if (!object.IsObject()) return false;
    bool deleted = false;
    for (rapidjson::SizeType i = 0; i < object.MemberCount();) {
        if (NameIs(object.MemberBegin()[i].name, name)) {
            // EraseMember keeps the order (RemoveMember would move the last member here).
            object.EraseMember(object.MemberBegin() + i);
            deleted = true;
        } else {
            ++i;
        }
    }
    return deleted;
}

bool JsonDocument::AppendString(JsonValue& array, std::string_view text) {
    if (!array.IsArray()) return false;
    auto& allocator = root_.GetAllocator();
    JsonValue value(text.empty() ? "" : text.data(), static_cast<rapidjson::SizeType>(text.size()), allocator);
    array.PushBack(value, allocator);
    return true;
}

bool JsonDocument::AppendInteger(JsonValue& array, std::int64_t value) {
    if (!array.IsArray()) return false;
    array.PushBack(JsonValue(static_cast<int64_t>(value)), root_.GetAllocator());
    return true;
}

JsonValue* JsonDocument::AppendObject(JsonValue& array) {
    if (!array.IsArray()) return nullptr;
    array.PushBack(JsonValue(rapidjson::kObjectType), root_.GetAllocator());
    return &array[array.Size() - 1];
}

bool JsonDocument::DeleteElement(JsonValue& array, std::size_t index) {
    if (!array.IsArray() || index >= array.Size()) return false;
    array.Erase(array.Begin() + index);
    return true;
}

const JsonValue* Member(const JsonValue* value, std::string_view name) {
    return Member(const_cast<JsonValue*>(value), name);
}

JsonValue* Member(JsonValue* value, std::string_view name) {
    if (!value || !value->IsObject()) return nullptr;
    JsonValue::Member* found = FindLastMember(*value, name);
    return found ? &found->value : nullptr;
}

std::string TextOf(const JsonValue* value, std::string_view defaultText) {
    if (!value) return std::string(defaultText);
    if (value->IsString()) return std::string(value->GetString(), value->GetStringLength());
    if (value->IsNumber() || value->IsBool()) {
        std::string text;
        AppendJsonValue(text, *value);
        return text;
    }
    return std::string(defaultText);
}

std::int64_t IntegerOf(const JsonValue* value, std::int64_t defaultValue) {
    return value && value->IsInt64() ? value->GetInt64() : defaultValue;
}

bool BooleanOf(const JsonValue* value, bool defaultValue) {
    return value && value->IsBool() ? value->GetBool() : defaultValue;
}

std::string GetText(const JsonValue* object, std::string_view name, std::string_view defaultText) {
    return TextOf(Member(object, name), defaultText);
}

std::int64_t GetInteger(const JsonValue* object, std::string_view name, std::int64_t defaultValue) {
    return IntegerOf(Member(object, name), defaultValue);
}

bool GetBoolean(const JsonValue* object, std::string_view name, bool defaultValue) {
    return BooleanOf(Member(object, name), defaultValue);
}

const JsonValue* GetArray(const JsonValue* object, std::string_view name) {
    return GetArray(const_cast<JsonValue*>(object), name);
}

JsonValue* GetArray(JsonValue* object, std::string_view name) {
    JsonValue* member = Member(object, name);
    return member && member->IsArray() ? member : nullptr;
}

std::size_t ArraySize(const JsonValue* array) {
    return array && array->IsArray() ? array->Size() : 0;
}

const JsonValue* ArrayElement(const JsonValue* array, std::size_t index) {
    return ArrayElement(const_cast<JsonValue*>(array), index);
}

JsonValue* ArrayElement(JsonValue* array, std::size_t index) {
    if (!array || !array->IsArray() || index >= array->Size()) return nullptr;
    return &(*array)[static_cast<rapidjson::SizeType>(index)];
}
