#pragma once
// Extension names and descriptions written as "__MSG_key__": the text is the
// message of that key in the extension's "_locales\<locale>\messages.json"
// for the user's language, as the browser itself shows it. No file or
// Windows access here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "json/JsonDocument.h"

// "extName" for "__MSG_extName__"; none for any other text.
std::optional<std::string> MessageKey(std::string_view text);

// A locale folder name as the browsers write them ("en", "pt_BR", "es_419"):
// letters, digits, "_" and "-" only, so never a path or a drive.
bool IsPlainLocaleName(std::string_view name);

// The locale folders to try, best first: the display language's tag as the
// browsers name their folders ("en-gb" gives "en_GB", then "en"), then the
// extension's default locale when it is a plain locale name. No name twice,
// none empty.
std::vector<std::string> LocaleCandidates(std::string_view uiTag, std::string_view defaultLocale);

// The "message" of the member whose name matches key in any letter case;
// none when there is no such member or it has no text.
std::optional<std::string> LookupMessage(const JsonValue& messages, std::string_view key);
