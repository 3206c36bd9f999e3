#pragma once
// What the reviews window's conversations need of the add-on, copied from
// the record on the user-interface thread so that workers never read it.
#include <string>

#include "browsers/BrowserAppBase.h"

struct TReviewedAddon {
    int BrowserId = 0;  // the adapter's Kind
    std::wstring Id;
    std::wstring Name;
    std::wstring Description;
    std::wstring Version;

    static TReviewedAddon From(const TBrowserAppBase& adapter, const TBrowserExtensionInfo& record) {
        return {static_cast<int>(adapter.Kind), record.Id, record.Name, record.Description, record.Version};
    }
};
