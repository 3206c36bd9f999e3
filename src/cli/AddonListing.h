#pragma once
// What bpmcli lists about the browsers and their add-ons, the forms it
// prints them in and how its messages name an add-on. Plain UTF-8 data, no
// Windows here.
#include <string>
#include <vector>

#include "browsers/AddonKind.h"
#include "browsers/BrowserKind.h"

struct ListedAddon {
    std::string id;
    std::string name;
    std::string description;
    std::string version;
    AddonKind kind = AddonKind::All;
    bool disabled = false;
    int nativeView = 0;
    std::string filePath;
    std::string iconUrl;
    bool hasIcon = false;
    double rating = 0.0;
    // The route its switch and removal take: "" the browser's settings
    // file, "policy" the browser's extension policy.
    std::string managedBy;
    // Found in the 64-bit registry view of 64-bit Windows: the table marks
    // it " (64)" as the main window does. Not part of the JSON form.
    bool mark64 = false;
};

// One profile of a browser (a browser without profiles: one entry with both
// profile texts empty).
struct ListedBrowser {
    std::string browser;  // the browser's keyword: chrome, ie, ..., edge, brave, vivaldi
    // The profile's folder ("Default", "Profile 1"; Firefox: the Path of
    // profiles.ini as written) and the name the user gave it.
    std::string profile;
    std::string profileName;
    BrowserKind kind = BrowserKind::None;
    std::string displayName;
    bool found = false;
    std::string dataPath;
    bool isDefault = false;
    bool running = false;
    std::vector<ListedAddon> addons;
};

// {"browsers":[{"browser":...,"profile":...,"profileName":...,"addons":[{...}]}]},
// one entry per browser profile, in the program's JSON
// written form (compact, plain ASCII), followed by a line break. Scripts
// rely on the member names and their order.
std::string FormatListJson(const std::vector<ListedBrowser>& browsers);

// A header row, then one row per add-on with the browser keyword first and
// then the add-on's members of the JSON form, each as text (a whole rating
// as an integer); fields quoted where needed, lines ended by CR LF.
std::string FormatListCsv(const std::vector<ListedBrowser>& browsers);

// For people: a heading per browser profile, then one line per add-on with its
// kind, state, name, version and id in aligned columns.
std::string FormatListTable(const std::vector<ListedBrowser>& browsers);

// The ratings command's form: "id<TAB>rating" per add-on in list order (an
// add-on without an id by its name), the rating in tenths with a point
// ("4.5", "0.0" before the service answered); lines ended by CR LF.
std::string FormatRatingList(const ListedBrowser& browser);

// The kind's name within the browser family ("BHO", "toolbar",
// "context menu" for IE; "extension", "plug-in" for the others).
std::string AddonKindName(BrowserKind browser, AddonKind kind);

// How the messages name an add-on: its name (its id when it has none),
// then the id in parentheses when it has one.
std::string Label(const ListedAddon& addon);

// The add-on a command names, by its id as listed; records without an id
// (IE context-menu entries) by their name. An id listed in both registry
// views needs view 32 or 64 (0: no view given). win64: whether nativeView 1
// means the 64-bit view.
struct AddonSelection {
    // Index into the browser's addons; -1 when error says why not.
    int index = -1;
    std::string error;
};
AddonSelection SelectAddon(const ListedBrowser& browser, const std::string& id, int view, bool win64);
