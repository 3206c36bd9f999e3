#include "browsers/chromium/PolicyCleanup.h"

#include <algorithm>
#include <exception>

#include "browsers/chromium/ChromiumAdapter.h"
#include "browsers/chromium/PolicyMarks.h"

namespace {

// True when the id is still in the profile: listed, or waiting for the
// browser to uninstall it.
bool ProfileHas(const TChromiumAdapter& adapter, const std::wstring& id) {
    const auto& pending = adapter.PendingRemovals();
    if (std::find(pending.begin(), pending.end(), id) != pending.end()) return true;
    return std::any_of(adapter.Extensions.begin(), adapter.Extensions.end(),
                       [&id](const auto& record) { return record->Id == id; });
}

void TakeBack(const BrowserProfiles& profiles) {
    std::vector<const TChromiumAdapter*> adapters;
    for (const TBrowserAppBase* adapter : profiles) {
        const auto* chromium = dynamic_cast<const TChromiumAdapter*>(adapter);
        // A profile that could not be read may still have the extension.
        if (!chromium || !chromium->Policy() || !chromium->PrefsDocument) return;
        adapters.push_back(chromium);
    }
    if (adapters.empty()) return;
    const TExtensionPolicy& policy = *adapters.front()->Policy();
    for (const std::wstring& id : MarkedIds(policy.BrowserKey(), PolicyMark::Removed)) {
        if (std::any_of(adapters.begin(), adapters.end(),
                        [&id](const TChromiumAdapter* adapter) { return ProfileHas(*adapter, id); }))
            continue;
        const std::vector<PolicyChange> changes = policy.PlanUnmarkRemoved(id);
        if (TExtensionPolicy::Apply(changes).size() == changes.size())
            SetMarked(policy.BrowserKey(), PolicyMark::Removed, id, false);
    }
}

}  // namespace

void TakeBackRemovedMarks(const BrowserList& list) noexcept {
    try {
        for (const BrowserProfiles& profiles : GroupByBrowser(list)) TakeBack(profiles);
    } catch (const std::exception&) {
        // Out of memory: the marks wait for the next start.
    }
}
