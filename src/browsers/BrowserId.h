#pragma once
// Each browser the program knows by name, with the facts that tell it apart
// from the others of its family: its keyword, the name on its button, its
// executable, its start-menu registration, its URL ProgId and, for the
// browsers built on Chromium, its user data folder. No Windows here.
//
// BrowserKind stays the family (and the rating service's browser id): every
// browser built on Chromium with Chrome's profile layout is
// BrowserKind::ChromeFamily, and their extension ids share one name space.
#include <cstdint>
#include <span>
#include <string_view>

#include "browsers/BrowserKind.h"

enum class BrowserId : std::uint8_t {
    None = 0,
    // The Chrome family of old: one button, whichever of them is found first.
    Chrome,
    ComodoDragon,
    RockMelt,
    Chromium,
    InternetExplorer,
    Firefox,
    Opera,
    // Today's browsers on Chromium, each with a button of its own.
    Edge,
    Brave,
    Vivaldi,
};

struct BrowserFacts {
    BrowserId id = BrowserId::None;
    BrowserKind kind = BrowserKind::None;
    // The command-line word; the four members of the old Chrome family share
    // "chrome", as they share one button.
    std::string_view keyword;
    std::wstring_view displayName;
    std::wstring_view executable;
    // Subkey of SOFTWARE\Clients\StartMenuInternet and the web protocols'
    // UserChoice "Progid" when the browser is the default.
    std::wstring_view startMenuKey;
    std::wstring_view urlProgId;
    // Below the local application-data folder, with a leading and a trailing
    // backslash; empty for browsers that do not keep Chromium user data.
    std::wstring_view userData;
    // A per-user install may register the start-menu key and the ProgId with
    // a suffix of its own ("Brave.ABC123", "BraveHTML.ABC123").
    bool suffixedRegistration = false;
};

// The facts of a browser; those of None (all empty) for an unknown number.
const BrowserFacts& FactsOf(BrowserId id);

// The members of the old Chrome family, in the order their profiles are tried.
std::span<const BrowserId> ChromeFamilyMembers();
// The browsers with a button of their own after the four families, in
// button order: Edge, Brave, Vivaldi.
std::span<const BrowserId> NewerChromiumBrowsers();

// The browser a command-line word names (exact, lower case); "chrome" names
// Chrome. None when it names none.
BrowserId BrowserIdFromKeyword(std::string_view keyword);
// "chrome, ie, firefox, opera, edge, brave, vivaldi": the words for messages.
std::string_view BrowserKeywordList();

// True when registered is the plain name or, for a browser registered with
// a suffix, the plain name, a dot and a suffix. Names compare without regard
// to ASCII letter case when caseless is set.
bool MatchesRegisteredName(const BrowserFacts& facts, std::wstring_view plain, std::wstring_view registered,
                           bool caseless);
