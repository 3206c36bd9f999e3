# Sources and tests that need no Windows: they are also built natively with
# sanitizers and fuzzers. Each area appends its own block.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/platform/StrUtil.cpp
    src/platform/Utf.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/platform/UtfTest.cpp
)

# Chromium-family add-ons: extension text localisation.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/browsers/chromium/UiLanguageTags.cpp
    src/browsers/chromium/UnicodeEscapes.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/browsers/chromium/UiLanguageTagsTest.cpp
    tests/browsers/chromium/UnicodeEscapesTest.cpp
)

# Application shell: language-file parsing and the settings' integer form.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/app/CharsetNames.cpp
    src/app/LangCodeList.cpp
    src/app/LanguageFile.cpp
    src/app/ProfileInteger.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/app/CharsetNamesTest.cpp
    tests/app/LangCodeListTest.cpp
    tests/app/LanguageFileTest.cpp
    tests/app/ProfileIntegerTest.cpp
)

# JSON document: parsing, lookups, edits and the written form (files are Windows only).
list(APPEND BRIVO_PORTABLE_SOURCES
    src/json/JsonDocument.cpp
    src/json/JsonWriter.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/json/JsonDocumentTest.cpp
    tests/json/JsonWriterTest.cpp
)

# Chromium-family add-ons: the extension settings of "Preferences".
list(APPEND BRIVO_PORTABLE_SOURCES
    src/browsers/chromium/ChromiumPreferences.cpp
    src/browsers/chromium/ExtensionMessages.cpp
    src/browsers/chromium/PolicyValues.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/browsers/chromium/ChromiumPreferencesTest.cpp
    tests/browsers/chromium/ExtensionMessagesTest.cpp
    tests/browsers/chromium/PolicyValuesTest.cpp
)

# Web fetch helpers: INI pages, temporary names and paths; the icon download's ticket.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/browsers/IconDownloadTicket.cpp
    src/net/IniText.cpp
    src/net/LongPathForm.cpp
    src/net/RandomLetters.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/browsers/IconDownloadTicketTest.cpp
    tests/net/IniTextTest.cpp
    tests/net/LongPathFormTest.cpp
    tests/net/RandomLettersTest.cpp
)

# Browser inventory: the browser families, their registry names and keywords.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/browsers/BrowserKind.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/browsers/BrowserKindTest.cpp
)

# The console companion: its command line and its listing forms.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/cli/AddonListing.cpp
    src/cli/CliArguments.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/cli/AddonListingTest.cpp
    tests/cli/CliArgumentsTest.cpp
)

# Rating service: form encoding, reply reading, decimal numbers and the key holder.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/net/rating/BatchRatingReply.cpp
    src/net/rating/DecimalText.cpp
    src/net/rating/RateForm.cpp
    src/net/rating/RateReply.cpp
    src/net/rating/RateSession.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/rating/BatchRatingReplyTest.cpp
    tests/rating/RateFormTest.cpp
    tests/rating/RateReplyTest.cpp
    tests/rating/RateSessionTest.cpp
)

# Firefox add-ons: the elements of "extensions.json" and the add-on packages.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/browsers/firefox/FirefoxAddonEntry.cpp
    src/browsers/firefox/ZipArchive.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/browsers/firefox/FirefoxAddonEntryTest.cpp
    tests/browsers/firefox/ZipArchiveTest.cpp
    tests/browsers/firefox/ZipBuilder.cpp
)

# Reviews window: the plain-text preparation of the service's texts and the nickname rule.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/ui/ReviewText.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/ui/ReviewTextTest.cpp
)

# Browser inventory: every browser by name; the profiles of "Local State" and
# of Firefox's "profiles.ini".
list(APPEND BRIVO_PORTABLE_SOURCES
    src/browsers/BrowserId.cpp
    src/browsers/chromium/LocalStateProfiles.cpp
    src/browsers/firefox/FirefoxProfilesIni.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/browsers/BrowserIdTest.cpp
    tests/browsers/chromium/LocalStateProfilesTest.cpp
    tests/browsers/firefox/FirefoxProfilesIniTest.cpp
)

# Online services: server addresses, the update and news pages, the advertisement feed.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/net/AdFeed.cpp
    src/net/OnlinePages.cpp
    src/net/WebAddress.cpp
    src/ui/NewsWindowLayout.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/net/AdFeedTest.cpp
    tests/net/OnlinePagesTest.cpp
    tests/net/WebAddressTest.cpp
    tests/ui/NewsWindowLayoutTest.cpp
)

# The change history: the journal record's form, its limits and bpmcli's listing of it.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/browsers/history/HistoryLimits.cpp
    src/browsers/history/HistoryRecord.cpp
    src/cli/HistoryListing.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/browsers/history/HistoryRecordTest.cpp
    tests/cli/HistoryListingTest.cpp
)
