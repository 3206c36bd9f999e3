#pragma once
// Texts that come from the rating service (nicknames, reviews, dates) are
// shown as the plain text they are: nothing in them is interpreted, and
// what would not draw as text is taken out before they reach the screen.
// No Windows here, so that the rules are also built natively.
#include <cstddef>
#include <string>
#include <string_view>

// One line (a nickname, a date): line breaks and tabs become spaces; other
// control characters and the direction overrides, which would reorder the
// rest of the line, are dropped; a broken surrogate becomes U+FFFD. At most
// maxLength characters are kept; a text cut short ends with an ellipsis.
std::wstring PlainLine(std::wstring_view text, std::size_t maxLength);

// A text of paragraphs (a review): every line break (CR LF, LF, CR, U+2028,
// U+2029) becomes CR LF and the rest is cleaned and cut as PlainLine does
// (the limit keeps a huge review from slowing every paint).
std::wstring PlainParagraphs(std::wstring_view text, std::size_t maxLength);

// The nickname's limit: while the box holds this many characters or more,
// typed characters are refused.
inline constexpr std::size_t kNicknameLimit = 25;

// Whether a character typed into the nickname box goes in. length is the
// box's text length, selected the length of its selection (which the typed
// character replaces). The editing keys (Ctrl+A, Ctrl+C, Backspace, Enter,
// Ctrl+V, Ctrl+X, Ctrl+Z, Escape) always go through, so pasting a longer
// text still works.
bool NicknameKeyAccepted(std::size_t length, std::size_t selected, wchar_t typed);
