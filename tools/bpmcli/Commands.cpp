#include "Commands.h"

#include <string>

#include "ConsoleText.h"
#include "Inventory.h"
#include "Ratings.h"
#include "app/AppConfig.h"
#include "browsers/BrowserAppBase.h"
#include "browsers/DefaultBrowser.h"
#include "browsers/chromium/ExtensionPolicy.h"
#include "browsers/history/HistoryJournal.h"
#include "browsers/history/HistoryUndo.h"
#include "browsers/history/JournaledChanges.h"
#include "cli/HistoryListing.h"
#include "json/JsonDocument.h"
#include "platform/BrivoError.h"
#include "platform/ShellHelpers.h"
#include "platform/SystemInfo.h"
#include "platform/Utf.h"

namespace {

CliExit RunList(const CliRequest& request) {
    BrowserList list;
    GetBrowserList(list);
    std::vector<ListedBrowser> listed;
    const std::string wanted(FactsOf(request.browserId).keyword);
    for (const auto& adapter : list)
        if (wanted.empty() || KeywordOf(*adapter) == wanted) listed.push_back(DescribeBrowser(*adapter, true));
    switch (request.format) {
    case ListFormat::Json: PrintOut(FormatListJson(listed)); break;
    case ListFormat::Csv: PrintOut(FormatListCsv(listed)); break;
    case ListFormat::Table: PrintOut(FormatListTable(listed)); break;
    }
    return CliExit::Ok;
}

// Switching and removal share the lookup and the running guard.
struct Target {
    TBrowserAppBase* adapter = nullptr;
    TBrowserExtensionInfo* record = nullptr;
    ListedAddon addon;
};

CliExit FindTarget(const BrowserList& list, const CliRequest& request, Target& target) {
    const InstalledBrowser browser = FindInstalledBrowser(list, request.browserId, request.profile);
    if (!browser.adapter) return Refuse(CliExit::Usage, browser.error);
    target.adapter = browser.adapter;
    const ListedBrowser listed = DescribeBrowser(*target.adapter, false);
    const AddonSelection selection = SelectAddon(listed, request.id, request.view, IsWin64);
    if (selection.index < 0) return Refuse(CliExit::Usage, selection.error);
    target.record = target.adapter->GetExtension(selection.index);
    target.addon = listed.addons[static_cast<std::size_t>(selection.index)];
    return CliExit::Ok;
}

CliExit RefuseWhileRunning(TBrowserAppBase& adapter) {
    if (!adapter.IsBrowserRunning()) return CliExit::Ok;
    return Refuse(CliExit::BrowserRunning,
                  Message(L"BIsRuning", L"The browser is running. Please close it to continue."));
}

CliExit RunSwitch(const CliRequest& request) {
    const bool wantDisabled = request.command == CliCommand::Disable;
    BrowserList list;
    GetBrowserList(list);
    Target target;
    if (const CliExit found = FindTarget(list, request, target); found != CliExit::Ok) return found;
    if (!HasAddonSwitch(target.adapter->Kind, target.record->Kind))
        return Refuse(CliExit::Usage, Label(target.addon) + " cannot be switched off or on");
    if (target.record->Disabled == wantDisabled) {
        PrintOut(Label(target.addon) + " is already " + (wantDisabled ? "off" : "on") + "\r\n");
        return CliExit::Ok;
    }
    if (const CliExit guard = RefuseWhileRunning(*target.adapter); guard != CliExit::Ok) return guard;
    try {
        THistoryJournal journal = THistoryJournal::BesideSettings();
        JournaledToggle(journal, *target.adapter, target.record);
    } catch (const BrivoError& error) {
        return Refuse(CliExit::Failed, error.what());
    }
    if (target.record->Disabled != wantDisabled)
        return Refuse(CliExit::Failed, Label(target.addon) + " was not switched");
    PrintOut("Switched " + std::string(wantDisabled ? "off: " : "on: ") + Label(target.addon) + "\r\n");
    if (target.record->ManagedByPolicy && wantDisabled && !AppConfig.PolicyNoteShown) {
        AppConfig.PolicyNoteShown = true;
        SaveSettings();
        PrintOut(Message(L"PolicyNote", L"This browser protects its extension settings, so the extension is switched "
                                        L"off through the browser's policy: the browser shows it as blocked by the "
                                        L"administrator. Switch it on again here.") +
                 "\r\n");
    }
    return CliExit::Ok;
}

CliExit RunRemove(const CliRequest& request) {
    BrowserList list;
    GetBrowserList(list);
    Target target;
    if (const CliExit found = FindTarget(list, request, target); found != CliExit::Ok) return found;
    if (const CliExit guard = RefuseWhileRunning(*target.adapter); guard != CliExit::Ok) return guard;
    if (!request.yes) {
        return Refuse(CliExit::Usage, Message(L"DeleteConf", L"Are you sure to delete this plug-in?") + " " +
                                          Label(target.addon) + ": add --yes to remove it");
    }
    try {
        THistoryJournal journal = THistoryJournal::BesideSettings();
        if (!JournaledRemove(journal, *target.adapter, target.record))
            return Refuse(CliExit::Failed, Label(target.addon) + " was not removed");
    } catch (const BrivoError& error) {
        return Refuse(CliExit::Failed, error.what());
    }
    PrintOut("Removed: " + Label(target.addon) + "\r\n");
    return CliExit::Ok;
}

CliExit RunDefault(const CliRequest& request) {
    BrowserList list;
    GetBrowserList(list);
    if (request.browser == BrowserKind::None) {
        for (const auto& adapter : list) {
            if (!IsDefaultBrowser(*adapter)) continue;
            PrintOut(KeywordOf(*adapter) + "\t" + ToUtf8(adapter->DisplayName) + "\r\n");
            return CliExit::Ok;
        }
        PrintOut("none\tNone of the listed browsers is the default browser\r\n");
        return CliExit::Ok;
    }
    const InstalledBrowser browser = FindInstalledBrowser(list, request.browserId);
    if (!browser.adapter) return Refuse(CliExit::Usage, browser.error);
    // Windows protects the associations; only a choice it took is reported as done.
    bool accepted = false;
    try {
        THistoryJournal journal = THistoryJournal::BesideSettings();
        accepted = JournaledSetDefault(journal, *browser.adapter);
    } catch (const BrivoError& error) {
        return Refuse(CliExit::Failed, error.what());
    }
    if (!accepted) {
        // Since Windows 8 the user confirms the choice in the system's settings.
        if (IsWindows8OrLater()) {
            const std::wstring page = DefaultAppsSettingsAddress(*browser.adapter);
            OpenUrl(nullptr, page);
            return Refuse(CliExit::Failed, Message(L"SetAsDefaultAsk", L"Windows asks you to confirm the default "
                                                                       L"browser in its settings.") +
                                               " (" + ToUtf8(page) + ")");
        }
        return Refuse(CliExit::Failed,
                      Message(L"SetAsDefaultF", L"Windows did not accept the change. Please choose the default "
                                                L"browser in the Windows settings."));
    }
    PrintOut(Message(L"SetAsDefault", L"Successfully set as default browser.") + "\r\n");
    return CliExit::Ok;
}

// The policies of the browser installed under the keyword (for "chrome"
// the member of the old family found).
CliExit RunPolicy(const CliRequest& request) {
    BrowserList list;
    GetBrowserList(list);
    const InstalledBrowser browser = FindInstalledBrowser(list, request.browserId);
    if (!browser.adapter) return Refuse(CliExit::Usage, browser.error);
    const std::wstring_view key = PolicyKeyOf(browser.adapter->Browser);
    if (key.empty())
        return Refuse(CliExit::Usage, ToUtf8(browser.adapter->DisplayName) + " documents no policy key");
    PrintOut(TExtensionPolicy(std::wstring(key)).ManagedJson() + "\r\n");
    return CliExit::Ok;
}

CliExit RunHistory(const CliRequest& request) {
    std::vector<std::optional<THistoryRecord>> records;
    for (THistoryEntry& entry : THistoryJournal::BesideSettings().List()) records.push_back(std::move(entry.record));
    PrintOut(request.format == ListFormat::Json ? FormatHistoryJson(records) : FormatHistoryTable(records));
    return CliExit::Ok;
}

CliExit RunUndo(const CliRequest& request) {
    const THistoryJournal journal = THistoryJournal::BesideSettings();
    std::vector<THistoryEntry> entries = journal.List();
    if (request.number < 1 || static_cast<std::size_t>(request.number) > entries.size())
        return Refuse(CliExit::Usage, "the history has no change " + std::to_string(request.number) + " (" +
                                          std::to_string(entries.size()) + " listed)");
    BrowserList list;
    GetBrowserList(list);
    THistoryEntry& entry = entries[static_cast<std::size_t>(request.number - 1)];
    const TUndoResult result = UndoHistoryEntry(journal, entry, list);
    switch (result.outcome) {
    case UndoOutcome::Done: break;
    case UndoOutcome::BrowserRunning: return Refuse(CliExit::BrowserRunning, result.note);
    case UndoOutcome::Impossible: return Refuse(CliExit::Failed, result.note);
    }
    PrintOut("Undone: " + std::to_string(request.number) + " " + std::string(HistoryActionName(entry.record->action)) +
             " " + (entry.record->addonName.empty() ? entry.record->browserName : entry.record->addonName) + "\r\n");
    return CliExit::Ok;
}

CliExit RunJson(const CliRequest& request) {
    const std::optional<JsonDocument> document = JsonDocument::LoadFile(ToWide(request.inputPath));
    if (!document) return Refuse(CliExit::Usage, request.inputPath + " cannot be read or holds no JSON document");
    try {
        document->SaveFile(ToWide(request.outputPath));
    } catch (const BrivoError& error) {
        return Refuse(CliExit::Failed, request.outputPath + ": " + error.what());
    }
    return CliExit::Ok;
}

}  // namespace

CliExit RunCommand(const CliRequest& request) {
    switch (request.command) {
    case CliCommand::Help: PrintOut(CliHelpText(request.helpFor)); return CliExit::Ok;
    case CliCommand::List: return RunList(request);
    case CliCommand::Disable:
    case CliCommand::Enable: return RunSwitch(request);
    case CliCommand::Remove: return RunRemove(request);
    case CliCommand::Default: return RunDefault(request);
    case CliCommand::Json: return RunJson(request);
    case CliCommand::Ratings: return RunRatings(request);
    case CliCommand::Policy: return RunPolicy(request);
    case CliCommand::History: return RunHistory(request);
    case CliCommand::Undo: return RunUndo(request);
    }
    return CliExit::Usage;
}
