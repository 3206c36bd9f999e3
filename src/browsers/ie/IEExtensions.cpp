#include "browsers/ie/IEExtensions.h"

#include <algorithm>
#include <memory>

#include "browsers/AddonIconCache.h"
#include "platform/PublicFuns.h"

namespace {

// The list shows toolbar buttons and menu items with the toolbars.
AddonKind RecordKind(IEPlugKind kind) {
    switch (kind) {
    case IEPlugKind::BrowserHelperObject: return AddonKind::BrowserHelperObject;
    case IEPlugKind::Toolbar:
    case IEPlugKind::ToolbarButton: return AddonKind::Toolbar;
    case IEPlugKind::ContextMenuEntry: return AddonKind::ContextMenuEntry;
    }
    return AddonKind::All;
}

std::unique_ptr<TBrowserExtensionInfo> RecordFrom(const TPlugItem& item,
                                                 const std::shared_ptr<TAddonIconCache>& icons) {
    auto record = std::make_unique<TBrowserExtensionInfo>();
    record->Id = item.Clsid;
    record->Name = item.Name;
    record->Description = item.Name;
    record->FilePath = item.FilePath;
    record->Disabled = item.Disabled;
    // Extracted when the row is first shown; the records of one file share
    // one extraction.
    record->Icon.DecodeOnFirstUse([icons, path = item.FilePath] { return icons->IconOf(path); });
    record->Kind = RecordKind(item.Kind);
    record->NativeView = item.NativeView;
    return record;
}

}  // namespace

TIEExtensions::TIEExtensions() {
    DataPath = L"C:\\Program Files\\Internet Explorer\\";
    Kind = BrowserKind::InternetExplorer;
    Browser = BrowserId::InternetExplorer;
    Description = L"Internet Explorer";
    DisplayName = L"Internet Explorer";
    OpenCommand = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";
    Sweeper = std::make_unique<TIESweeper>();
    Extensions.reserve(static_cast<size_t>(Sweeper->Count()));
    const auto icons = std::make_shared<TAddonIconCache>();
    for (int i = 0; i < Sweeper->Count(); ++i) Extensions.push_back(RecordFrom(*Sweeper->Items(i), icons));
    SortExtensions();
}

TIEExtensions::~TIEExtensions() {
    // The base part (records, icon) is released before the scanner.
    Extensions.clear();
    IconHandle.reset();
}

void TIEExtensions::CloseBrowser() {}

bool TIEExtensions::IsBrowserRunning() { return IsIERunning(); }

bool TIEExtensions::RemoveExtension(TBrowserExtensionInfo* record) {
    if (!Owns(record)) return false;
    bool removed = false;
    // The change history records what is deleted, before it is.
    const auto keep = [this](IEPlugKind kind, const std::wstring& name, std::uint8_t native, bool value) {
        if (!BeforeRegistryDelete || !TIESweeper::IsRegistrationName(name)) return;
        const std::wstring path = TIESweeper::RegistrationPath(kind, native);
        if (value)
            BeforeRegistryDelete(TIESweeper::RegistrationRoot(kind), path, &name);
        else
            BeforeRegistryDelete(TIESweeper::RegistrationRoot(kind), path + L"\\" + name, nullptr);
    };
    switch (record->Kind) {
    case AddonKind::BrowserHelperObject:
        keep(IEPlugKind::BrowserHelperObject, record->Id, record->NativeView, false);
        removed = TIESweeper::RemoveBho(record->Id, record->NativeView);
        break;
    case AddonKind::Toolbar: {
        // Buttons and menu items live under the Extensions key, toolbars as
        // values of the Toolbar key; an add-on may use one id for several
        // registrations, so the record's own entry decides.
        const TPlugItem* entry = SourceEntry(*record);
        if (entry && entry->Kind == IEPlugKind::ToolbarButton) {
            keep(IEPlugKind::ToolbarButton, record->Id, record->NativeView, false);
            removed = TIESweeper::RemoveButton(record->Id, record->NativeView);
        } else {
            keep(IEPlugKind::Toolbar, record->Id, record->NativeView, true);
            removed = TIESweeper::RemoveToolbar(record->Id, record->NativeView);
        }
        break;
    }
    case AddonKind::ContextMenuEntry:
        // Context-menu entries have no id; their key is named by the text.
        keep(IEPlugKind::ContextMenuEntry, record->Name, record->NativeView, false);
        removed = TIESweeper::RemoveMenuEntry(record->Name, record->NativeView);
        break;
    default:
        break;
    }
    // An add-on whose registration is still there stays listed: the list
    // shows what Internet Explorer will load.
    return removed && DestroyExtension(record);
}

bool TIEExtensions::ToggleExtension(TBrowserExtensionInfo* record) {
    if (!record) return false;
    if (!Owns(record) || record->Kind == AddonKind::ContextMenuEntry) return record->Disabled;
    const TPlugItem* entry = FirstEntryWithId(*record);
    if (!entry) return record->Disabled;
    // The switch is per class id, so every entry with this id is switched;
    // the other records of that id show the change at the next start. When
    // the registry refuses the change the record keeps showing the truth.
    if (TIESweeper::ToggleItem(entry, record->Disabled)) record->Disabled = !record->Disabled;
    return record->Disabled;
}

bool TIEExtensions::Owns(const TBrowserExtensionInfo* record) const {
    return record && std::any_of(Extensions.begin(), Extensions.end(),
                                 [record](const auto& owned) { return owned.get() == record; });
}

const TPlugItem* TIEExtensions::FirstEntryWithId(const TBrowserExtensionInfo& record) const {
    for (int i = 0; i < Sweeper->Count(); ++i)
        if (Sweeper->Items(i)->Clsid == record.Id) return Sweeper->Items(i);
    return nullptr;
}

const TPlugItem* TIEExtensions::SourceEntry(const TBrowserExtensionInfo& record) const {
    for (int i = 0; i < Sweeper->Count(); ++i) {
        const TPlugItem* item = Sweeper->Items(i);
        if (item->Clsid == record.Id && RecordKind(item->Kind) == record.Kind &&
            item->NativeView == record.NativeView && item->Name == record.Name && item->FilePath == record.FilePath)
            return item;
    }
    return FirstEntryWithId(record);
}
