#pragma once
// The in-memory JSON tree the browser adapters read, edit and write back over
// the browser's own file, and the advertisement reader's feed.
//
// Values are RapidJSON values held in the document's memory pool, so parsing
// builds the tree in one pass without a second copy. Callers may use
// RapidJSON's read-only calls on a JsonValue (IsObject, MemberBegin, Size...);
// every change goes through JsonDocument, which owns the allocator and keeps
// the member order of the file.
//
// Member names are looked up as exact text, never as paths. When a name
// occurs twice in one object the last one counts, as it does for the
// browsers' own readers; the earlier ones are still written back.
//
// Nothing here touches Windows except LoadFile and SaveFile (JsonFile.cpp).
// RapidJSON 1.1.0 computes "null + size" when its parse stacks first grow,
// which UndefinedBehaviorSanitizer reports although no memory is touched;
// the check is turned off for RapidJSON's own functions only.
// The standard headers RapidJSON uses come first, so that the exemption
// below covers RapidJSON's functions only.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <iterator>
#include <limits>
#include <new>
#include <ostream>
#include <string>
#include <utility>
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("pointer-overflow"))), apply_to = function)
#endif
#include <rapidjson/document.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// RapidJSON's C allocator, except that exhausted memory raises
// std::bad_alloc (which Parse turns into none) instead of handing RapidJSON
// a null pointer that it would write through.
class JsonHeap {
public:
    static const bool kNeedFree = true;
    void* Malloc(std::size_t size);
    void* Realloc(void* original, std::size_t originalSize, std::size_t newSize);
    static void Free(void* block);
};

using JsonAllocator = rapidjson::MemoryPoolAllocator<JsonHeap>;
// Use this name, not rapidjson::Value: the allocator is part of the type.
using JsonValue = rapidjson::GenericValue<rapidjson::UTF8<>, JsonAllocator>;

class JsonDocument {
public:
    JsonDocument();  // holds null
    JsonDocument(JsonDocument&&) noexcept;
    JsonDocument& operator=(JsonDocument&&) noexcept;
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;
    ~JsonDocument();

    // Holds an empty object, for a document built with the edits below.
    static JsonDocument EmptyObject();

    // Strict JSON. Parsing stops after the first complete value and ignores
    // whatever follows; a syntax error, a string that is not UTF-8 or a
    // document too large for memory gives none. Nesting depth is unlimited:
    // neither parsing, writing nor destruction recurse.
    static std::optional<JsonDocument> Parse(const std::string& text);

    // The bytes of a whole file: a leading byte-order mark is skipped and the
    // rest read as Parse does, so only the value itself must be UTF-8.
    static std::optional<JsonDocument> ParseFileBytes(const std::string& bytes);

    // Reads the whole file and parses it with ParseFileBytes. A missing or
    // unreadable file gives none. Windows only.
    static std::optional<JsonDocument> LoadFile(const std::wstring& path);

    JsonValue& Root() { return root_; }
    const JsonValue& Root() const { return root_; }

    // The exact written form: compact, plain ASCII, every character outside
    // 0x20..0x7F escaped with lower-case hexadecimal, "/" written as "\/".
    std::string ToText() const;

    // Writes ToText() over the file in one step through a temporary file in
    // the same folder ("<name>.brivo-tmp-..."): the file is either replaced
    // as a whole, keeping its owner, access list, attributes and creation
    // time, or left as it was. A folder that takes no new files gets the
    // file written in place instead. A read-only file is refused. Raises
    // BrivoError with the system's text. Windows only.
    void SaveFile(const std::wstring& path) const;

    // Edits. `object` and `array` must belong to this document. An edit on a
    // value of the wrong type changes nothing and reports false / nullptr.
    // Setting a member replaces its value in place or appends a new member.
    bool SetInteger(JsonValue& object, std::string_view name, std::int64_t value);
    bool SetBoolean(JsonValue& object, std::string_view name, bool value);
    bool SetString(JsonValue& object, std::string_view name, std::string_view text);
    // Written as a non-integral number ("2.0"); SetInteger for integers.
    bool SetNumber(JsonValue& object, std::string_view name, double value);
    // The member when it is an array; otherwise the member becomes (or is
    // appended as) an empty array. nullptr only when `object` is no object.
    JsonValue* EnsureArray(JsonValue& object, std::string_view name);
    // The same for an object member: kept when it is an object, otherwise
    // made (or appended as) an empty object.
    JsonValue* EnsureObject(JsonValue& object, std::string_view name);
    // Sets the member to a deep copy of `value`, which may belong to any
    // document.
    bool SetCopy(JsonValue& object, std::string_view name, const JsonValue& value);
    // Appends a deep copy of `value` to the array.
    bool AppendCopy(JsonValue& array, const JsonValue& value);
    // Deletes every member of that name; the other members keep their order.
    bool DeleteMember(JsonValue& object, std::string_view name);
    bool AppendString(JsonValue& array, std::string_view text);
    bool AppendInteger(JsonValue& array, std::int64_t value);
    // The new empty object at the end; nullptr when `array` is no array. It
    // stays valid until the array changes.
    JsonValue* AppendObject(JsonValue& array);
    // Later elements move down by one.
    bool DeleteElement(JsonValue& array, std::size_t index);

private:
    // `text` ends with a zero byte. Also tells how many bytes the value and
    // the white space before it took. Does not check UTF-8.
    static std::optional<JsonDocument> ParseLeading(const char* text, std::size_t& consumed);
    bool SetMember(JsonValue& object, std::string_view name, JsonValue&& value);

    rapidjson::GenericDocument<rapidjson::UTF8<>, JsonAllocator, JsonHeap> root_;
};

// The member with exactly that name (never a path); the last one when a name
// occurs twice. None when `value` is none or not an object.
const JsonValue* Member(const JsonValue* value, std::string_view name);
JsonValue* Member(JsonValue* value, std::string_view name);

// Reads of a value. Text: a string's text, a number or boolean in its written
// JSON form; anything else gives the default. Integer: only integral numbers
// that fit 64 signed bits. Boolean: only true and false.
std::string TextOf(const JsonValue* value, std::string_view defaultText = {});
std::int64_t IntegerOf(const JsonValue* value, std::int64_t defaultValue = 0);
bool BooleanOf(const JsonValue* value, bool defaultValue = false);

// The same reads of a member, the default when it is missing.
std::string GetText(const JsonValue* object, std::string_view name, std::string_view defaultText = {});
std::int64_t GetInteger(const JsonValue* object, std::string_view name, std::int64_t defaultValue = 0);
bool GetBoolean(const JsonValue* object, std::string_view name, bool defaultValue = false);
// None when the member is missing or not an array.
const JsonValue* GetArray(const JsonValue* object, std::string_view name);
JsonValue* GetArray(JsonValue* object, std::string_view name);

// Arrays: count 0 and no elements for anything that is not an array.
std::size_t ArraySize(const JsonValue* array);
const JsonValue* ArrayElement(const JsonValue* array, std::size_t index);
JsonValue* ArrayElement(JsonValue* array, std::size_t index);
