#pragma once
// The profiles a Chromium user data folder's "Local State" names. No files
// or Windows here; texts are UTF-8 as the file holds them.
#include <string>
#include <string_view>
#include <vector>

#include "json/JsonDocument.h"

struct LocalStateProfile {
    std::string folder;  // the member name under "info_cache": "Default", "Profile 1"
    std::string name;    // its "name": what the user calls it (may be empty)
};

// The members of "profile" / "info_cache" in file order, the one named by
// "profile" / "last_used" moved to the front. A member name that is not a
// plain folder name (empty, "." or "..", or holding "\", "/" or ":") is
// skipped: it could reach beyond the user data folder. A name that occurs
// twice counts once, where it first stands. Empty when the document has no
// such object.
std::vector<LocalStateProfile> ReadLocalStateProfiles(const JsonDocument& localState);

// True for a name that names one entry of a folder and nothing beyond it.
bool IsPlainFolderName(std::string_view name);
