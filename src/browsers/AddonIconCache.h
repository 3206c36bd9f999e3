#pragma once
// Icons of add-on files, each file asked once for the records of a list: one
// add-on often registers a helper object, a toolbar and a button with the
// same library, in both registry views, and the shell's icon extraction is
// the slowest step of reading a list.
#include <map>
#include <string>

#include "gfx/AddonPicture.h"

class TAddonIconCache {
public:
    // A copy of ExtractIconImage(path, 0), extracted on the first request for
    // that exact path; none when the file yields no icon.
    AddonPicture IconOf(const std::wstring& path);

private:
    std::map<std::wstring, AddonPicture> pictures_;
};
