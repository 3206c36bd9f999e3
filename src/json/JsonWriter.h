#pragma once
// The one written form of every JSON file the program writes: compact, no
// space or line break anywhere, plain ASCII. Browsers read these files back,
// so the form is fixed byte for byte.
#include "json/JsonDocument.h"

#include <string>
#include <string_view>

// Appends the whole value. Iterative, so any nesting depth is safe.
void AppendJsonValue(std::string& out, const JsonValue& value);

// A string in double quotes with the escape table: \b \t \n \f \r \" \\ \/,
// other control characters and everything from U+0080 up as \u and four
// lower-case hexadecimal digits (characters beyond U+FFFF as a surrogate
// pair). Bytes that are not UTF-8 are written as \ufffd.
void AppendJsonString(std::string& out, std::string_view utf8);

// Integers in decimal; other numbers with at most 15 significant digits, and
// always with a fraction or an exponent so that they read back as
// non-integral numbers ("1.0", "1.5", "1e+20", "-0.0"). Non-finite values,
// which JSON cannot hold, are written as null.
void AppendJsonNumber(std::string& out, double value);
