#pragma once
// The locale tag of the user's Windows display language (see UiLanguageTags.h).
#include <string>

// Empty when the display language has no row in the table. Never fails.
std::string GetUiLanguageTag();
