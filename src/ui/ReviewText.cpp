#include "ui/ReviewText.h"

namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr wchar_t kEllipsis = 0x2026;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// C0 and C1 controls, DEL, and the embeddings, overrides and isolates of the
// bidirectional algorithm (an unclosed override turns the rest around).
bool IsDropped(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0xFFFE || c == 0xFFFF;
}

bool IsLineBreak(char32_t c) { return c == L'\r' || c == L'\n' || c == 0x2028 || c == 0x2029; }

// Cleans text; line breaks become `lineBreak`. A text longer than maxLength
// is cut to maxLength characters, the last of them an ellipsis.
std::wstring Clean(std::wstring_view text, std::wstring_view lineBreak, std::size_t maxLength) {
    std::wstring out;
    out.reserve(text.size() < maxLength ? text.size() : maxLength);
    for (std::size_t i = 0; i < text.size() && out.size() <= maxLength; ++i) {
        const char32_t c = static_cast<char32_t>(text[i]);
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            out.append(lineBreak);
            ++i;
        } else if (IsLineBreak(c)) {
            out.append(lineBreak);
        } else if (c == L'\t') {
            out.push_back(L' ');
        } else if (IsHighSurrogate(c)) {
            // A pair only where wide text is UTF-16; a code point there otherwise.
            if (sizeof(wchar_t) == 2 && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
                out.push_back(text[i]);
                out.push_back(text[++i]);
            } else {
                out.push_back(kReplacement);
            }
        } else if (IsLowSurrogate(c)) {
            out.push_back(kReplacement);
        } else if (!IsDropped(c)) {
            out.push_back(text[i]);
        }
    }
    if (out.size() <= maxLength) return out;
    out.resize(maxLength > 0 ? maxLength - 1 : 0);
    // Neither half a pair nor a bare line break before the ellipsis.
    if (!out.empty() && IsHighSurrogate(static_cast<char32_t>(out.back()))) out.pop_back();
    while (!out.empty() && (out.back() == L'\n' || out.back() == L'\r' || out.back() == L' ')) out.pop_back();
    if (maxLength > 0) out.push_back(kEllipsis);
    return out;
}

}  // namespace

std::wstring PlainLine(std::wstring_view text, std::size_t maxLength) { return Clean(text, L" ", maxLength); }

std::wstring PlainParagraphs(std::wstring_view text, std::size_t maxLength) {
    return Clean(text, L"\r\n", maxLength);
}

bool NicknameKeyAccepted(std::size_t length, std::size_t selected, wchar_t typed) {
    switch (typed) {
    case 1:   // Ctrl+A, select all
    case 3:   // Ctrl+C, copy
    case 8:   // Backspace
    case 13:  // Enter
    case 22:  // Ctrl+V, paste
    case 24:  // Ctrl+X, cut
    case 26:  // Ctrl+Z, undo
    case 27:  // Escape
        return true;
    default:
        break;
    }
    const std::size_t kept = selected < length ? length - selected : 0;
    return kept < kNicknameLimit;
}
