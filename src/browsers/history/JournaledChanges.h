#pragma once
// The changes the windows and bpmcli make to a browser, each recorded in the
// journal before anything in the browser changes: no record, no change.
// Every one raises BrivoError when its record cannot be written (nothing is
// changed then) and passes on the adapter's own errors; the record of a
// change that did not happen is dropped again. After a change the journal is
// kept to its limits.
#include <string>

#include "json/JsonDocument.h"

class TBrowserAppBase;
class THistoryJournal;
struct TBrowserExtensionInfo;
struct THistoryRecord;

// TBrowserAppBase::ToggleExtension, recorded with the state before.
bool JournaledToggle(THistoryJournal& journal, TBrowserAppBase& adapter, TBrowserExtensionInfo* addon);
// TBrowserAppBase::RemoveExtension, with what it deletes moved into the
// journal and the add-on's settings entry kept in the record.
bool JournaledRemove(THistoryJournal& journal, TBrowserAppBase& adapter, TBrowserExtensionInfo* addon);
// SetDefaultBrowser, with every value it writes kept as it was before.
bool JournaledSetDefault(THistoryJournal& journal, TBrowserAppBase& adapter);

// The record's browser and profile fields for the adapter.
THistoryRecord HistoryRecordFor(const TBrowserAppBase& adapter);

// The add-on's element of "addons" in Firefox's "extensions.json", or none.
const JsonValue* FirefoxAddonEntry(const JsonDocument& extensions, const std::string& id);
