#pragma once
// A PC with every browser the program knows, each with several long-used
// profiles, for the benchmarks: Chrome, Microsoft Edge, Brave and Vivaldi
// with profiles named in "Local State", Firefox with profiles of
// "profiles.ini" whose add-ons carry their own icon files, and Opera's one
// profile, each holding the same number of add-ons with icons. Made in the
// Wine prefix's application-data folders and removed again.
#include <string>
#include <vector>

class ManyBrowserProfiles {
public:
    // Refuses (Made() false, Error() says why) when any of the browsers'
    // folders is there already: it would be lost with the removal.
    ManyBrowserProfiles(int profiles, int addonsPerProfile);
    ~ManyBrowserProfiles();
    ManyBrowserProfiles(const ManyBrowserProfiles&) = delete;
    ManyBrowserProfiles& operator=(const ManyBrowserProfiles&) = delete;

    bool Made() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    // Removes everything made (also done when the object goes); true when
    // nothing is left.
    bool Remove();

private:
    void MakeChromium(const std::wstring& userData, int profiles, int addons, const std::string& png);
    void MakeFirefox(const std::wstring& firefox, int profiles, int addons, const std::string& png);

    std::vector<std::wstring> owned_;
    std::string error_;
};
