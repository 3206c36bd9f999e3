#pragma once
// The profile folders of every browser in the test prefix, emptied for one
// test: whatever the prefix holds in the Chrome-family vendor folders,
// "Microsoft\Edge", "BraveSoftware", "Vivaldi", "Opera Software" and
// "Mozilla" is moved aside while the object lives and put back afterwards;
// what the test made there is deleted. Internet Explorer needs no folder, it
// is always found.
#include <string>
#include <string_view>
#include <vector>

#include "support/TestFiles.h"

class BrowserSandbox {
public:
    BrowserSandbox();
    ~BrowserSandbox();
    BrowserSandbox(const BrowserSandbox&) = delete;
    BrowserSandbox& operator=(const BrowserSandbox&) = delete;

    // No trailing backslash, as the shell gives them.
    const std::wstring& LocalAppData() const { return local_; }
    const std::wstring& RoamingAppData() const { return roaming_; }

    // Creates local application data + row (a row of ChromiumProfileDirs),
    // or Opera's profile folder, and returns it, ending in a backslash.
    std::wstring MakeChromiumProfile(const wchar_t* row) const;
    std::wstring MakeOperaProfile() const;

    // The folder `profile` of a Chromium user data folder (userData relative
    // to the local application data, as BrowserFacts::userData), made with
    // a "Preferences" of this text (none when empty); ends in a backslash.
    std::wstring MakeUserDataProfile(std::wstring_view userData, const std::wstring& profile,
                                     const std::string& preferences) const;
    // "Local State" of that user data folder with exactly this text.
    void WriteLocalState(std::wstring_view userData, const std::string& text) const;

    // Chrome's default profile with this "Preferences"; ends in a backslash.
    std::wstring MakeChrome(const std::string& preferences) const;
    // Opera's profile with this "Preferences"; ends in a backslash.
    std::wstring MakeOpera(const std::string& preferences) const;
    // A Firefox profile named first in "profiles.ini", with this
    // "extensions.json" (none when empty); ends in a backslash.
    std::wstring MakeFirefox(const std::string& extensionsJson) const;

private:
    struct Moved {
        std::wstring original;
        std::wstring aside;
    };
    std::wstring local_;
    std::wstring roaming_;
    std::vector<std::wstring> owned_;
    std::vector<Moved> moved_;
};
