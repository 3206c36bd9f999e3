#pragma once
// Decodes backslash-u escapes (\u followed by four hexadecimal digits) that
// are still present in an extension's name or description after the JSON
// parser has done its work, typically because the author escaped them twice.
//
// The rule: repeatedly replace the leftmost decodable escape by the one
// UTF-16 code unit it names, until none is left. A replacement can thus form
// a new escape with the text around it: the escape for 005c (a backslash)
// followed by "u0041" becomes "\u0041" and then "A". An escape is decodable
// when its digits are all hexadecimal (either case); only at the very end of
// the text may it have fewer than four ("...\u41" gives "...A"). Any other
// backslash-u, such as the one in "C:\users", is left as it stands. Each
// escape yields one code unit, so an escaped surrogate pair yields one
// character. Runs in time linear in the length of the text.
#include <string>

void DecodeUnicodeEscapes(std::u16string& text);

// Wide text as it meets Windows (UTF-16 there, code points in the native
// test build); the result is the same character sequence on both.
void DecodeUnicodeEscapes(std::wstring& text);

// UTF-8 text. A text without backslash-u is left byte for byte as it is;
// otherwise malformed UTF-8 and escaped surrogates that do not form a pair
// come out as U+FFFD, since UTF-8 cannot hold them.
void DecodeUnicodeEscapes(std::string& utf8);
