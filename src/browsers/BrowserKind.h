#pragma once
// The browser families the program knows. The number indexes the per-family
// tables and is the browser id the rating service receives. No Windows here:
// the console companion's portable parsing names browsers by these too.
#include <cstdint>
#include <string>
#include <string_view>

enum class BrowserKind : std::uint8_t {
    None = 0,
    ChromeFamily = 1,
    InternetExplorer = 2,
    Firefox = 3,
    Opera = 4,
};

// The browser's subkey of SOFTWARE\Clients\StartMenuInternet; empty for None
// or an unknown number.
const std::wstring& StartMenuKey(BrowserKind kind);
// The "Progid" of the web protocols' UserChoice when the browser is the
// default; empty for None or an unknown number.
const std::wstring& UrlProgId(BrowserKind kind);

// The command-line keyword: "chrome", "ie", "firefox", "opera"; empty for
// None or an unknown number.
std::string_view BrowserKeyword(BrowserKind kind);
// The kind a keyword names (exact, lower case); None when it names none.
BrowserKind BrowserFromKeyword(std::string_view keyword);
