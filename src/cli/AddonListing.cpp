#include "cli/AddonListing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "json/JsonDocument.h"

namespace {

// A whole rating (0 before the service answered) is written as an integer,
// others as the program writes non-integral numbers.
void SetRating(JsonDocument& document, JsonValue& addon, double rating) {
    if (std::isfinite(rating) && rating == std::floor(rating) && std::fabs(rating) < 1e15) {
        document.SetInteger(addon, "rating", static_cast<std::int64_t>(rating));
    } else {
        document.SetNumber(addon, "rating", rating);
    }
}

// The JSON form's document; the member names and their order are the ones
// scripts rely on.
JsonDocument ListDocument(const std::vector<ListedBrowser>& browsers) {
    JsonDocument document = JsonDocument::EmptyObject();
    JsonValue& list = *document.EnsureArray(document.Root(), "browsers");
    for (const ListedBrowser& browser : browsers) {
        JsonValue& entry = *document.AppendObject(list);
        document.SetString(entry, "browser", browser.browser);
        document.SetString(entry, "profile", browser.profile);
        document.SetString(entry, "profileName", browser.profileName);
        document.SetInteger(entry, "kind", static_cast<int>(browser.kind));
        document.SetString(entry, "displayName", browser.displayName);
        document.SetBoolean(entry, "found", browser.found);
        document.SetString(entry, "dataPath", browser.dataPath);
        document.SetBoolean(entry, "isDefault", browser.isDefault);
        document.SetBoolean(entry, "running", browser.running);
        JsonValue& addons = *document.EnsureArray(entry, "addons");
        for (const ListedAddon& addon : browser.addons) {
            JsonValue& item = *document.AppendObject(addons);
            document.SetString(item, "id", addon.id);
            document.SetString(item, "name", addon.name);
            document.SetString(item, "description", addon.description);
            document.SetString(item, "version", addon.version);
            document.SetInteger(item, "kind", static_cast<int>(addon.kind));
            document.SetBoolean(item, "disabled", addon.disabled);
            document.SetInteger(item, "nativeView", addon.nativeView);
            document.SetString(item, "filePath", addon.filePath);
            document.SetString(item, "iconUrl", addon.iconUrl);
            document.SetBoolean(item, "hasIcon", addon.hasIcon);
            SetRating(document, item, addon.rating);
            document.SetString(item, "managedBy", addon.managedBy);
        }
    }
    return document;
}

// The CSV columns after the browser keyword: members of the JSON form's
// add-ons, each cell their text as GetText reads it.
constexpr std::array<std::string_view, 12> kCsvAddonColumns = {
    "kind", "id", "name", "description", "version", "disabled", "nativeView", "filePath", "iconUrl", "hasIcon",
    "rating", "managedBy"};

// RFC 4180: quoted when it holds a comma, a quote or a line break; quotes doubled.
void AppendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// Characters, not bytes, so that columns of non-English names line up.
std::size_t CodePoints(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    for (std::size_t n = CodePoints(text); n < width; ++n) out += ' ';
}

// Control characters in a name (line breaks, tabs, terminal escapes) would
// break the table's lines or reach the terminal; they show as spaces.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return line;
}

}  // namespace

std::string AddonKindName(BrowserKind browser, AddonKind kind) {
    if (browser == BrowserKind::InternetExplorer) {
        if (kind == AddonKind::BrowserHelperObject) return "BHO";
        if (kind == AddonKind::Toolbar) return "toolbar";
        if (kind == AddonKind::ContextMenuEntry) return "context menu";
    } else {
        if (kind == AddonKind::Extension) return "extension";
        if (kind == AddonKind::Plugin) return "plug-in";
    }
    return "kind " + std::to_string(static_cast<int>(kind));
}

std::string Label(const ListedAddon& addon) {
    return (addon.name.empty() ? addon.id : addon.name) + (addon.id.empty() ? "" : " (" + addon.id + ")");
}

std::string FormatListJson(const std::vector<ListedBrowser>& browsers) {
    return ListDocument(browsers).ToText() + "\r\n";
}

std::string FormatListCsv(const std::vector<ListedBrowser>& browsers) {
    std::string out = "browser";
    for (std::string_view column : kCsvAddonColumns) {
        out += ',';
        out += column;
    }
    out += "\r\n";
    const JsonDocument document = ListDocument(browsers);
    const JsonValue* list = GetArray(&document.Root(), "browsers");
    for (std::size_t i = 0; i < ArraySize(list); ++i) {
        const JsonValue* browser = ArrayElement(list, i);
        const JsonValue* addons = GetArray(browser, "addons");
        for (std::size_t j = 0; j < ArraySize(addons); ++j) {
            AppendCsvField(out, GetText(browser, "browser"));
            for (std::string_view column : kCsvAddonColumns) {
                out += ',';
                AppendCsvField(out, GetText(ArrayElement(addons, j), column));
            }
            out += "\r\n";
        }
    }
    return out;
}

std::string FormatRatingList(const ListedBrowser& browser) {
    std::string out;
    for (const ListedAddon& addon : browser.addons) {
        // Ratings arrive in tenths; anything that is no rating shows as none.
        const long long tenths = addon.rating >= 0 && addon.rating < 1e9 ? std::llround(addon.rating * 10) : 0;
        out += (addon.id.empty() ? addon.name : addon.id) + "\t" + std::to_string(tenths / 10) + "." +
               std::to_string(tenths % 10) + "\r\n";
    }
    return out;
}

std::string FormatListTable(const std::vector<ListedBrowser>& browsers) {
    std::string out;
    for (const ListedBrowser& browser : browsers) {
        if (!out.empty()) out += "\r\n";
        out += browser.displayName + " (" + browser.browser + ")";
        if (!browser.profile.empty()) {
            out += ", profile " + OneLine(browser.profileName.empty() ? browser.profile : browser.profileName);
            if (!browser.profileName.empty()) out += " (" + OneLine(browser.profile) + ")";
        }
        if (!browser.found) {
            out += ": not found\r\n";
            continue;
        }
        if (browser.isDefault) out += ", default browser";
        if (browser.running) out += ", running";
        out += "\r\n  " + OneLine(browser.dataPath) + "\r\n";
        if (browser.addons.empty()) {
            out += "  no add-ons\r\n";
            continue;
        }
        struct Row {
            std::string kind, state, name, version, id;
        };
        std::vector<Row> rows;
        Row header{"KIND", "STATE", "NAME", "VERSION", "ID"};
        std::size_t widths[4] = {CodePoints(header.kind), CodePoints(header.state), CodePoints(header.name),
                                 CodePoints(header.version)};
        for (const ListedAddon& addon : browser.addons) {
            Row row{AddonKindName(browser.kind, addon.kind), addon.disabled ? "off" : "on",
                    OneLine(addon.name.empty() ? addon.id : addon.name), OneLine(addon.version), OneLine(addon.id)};
            if (addon.mark64) row.name += " (64)";
            widths[0] = std::max(widths[0], CodePoints(row.kind));
            widths[1] = std::max(widths[1], CodePoints(row.state));
            widths[2] = std::max(widths[2], CodePoints(row.name));
            widths[3] = std::max(widths[3], CodePoints(row.version));
            rows.push_back(std::move(row));
        }
        rows.insert(rows.begin(), header);
        for (const Row& row : rows) {
            out += "  ";
            AppendPadded(out, row.kind, widths[0] + 2);
            AppendPadded(out, row.state, widths[1] + 2);
            AppendPadded(out, row.name, widths[2] + 2);
            AppendPadded(out, row.version, widths[3] + 2);
            out += row.id + "\r\n";
        }
    }
    return out;
}

AddonSelection SelectAddon(const ListedBrowser& browser, const std::string& id, int view, bool win64) {
    std::vector<int> matches;
    for (std::size_t i = 0; i < browser.addons.size(); ++i)
        if (browser.addons[i].id == id) matches.push_back(static_cast<int>(i));
    if (matches.empty()) {
        for (std::size_t i = 0; i < browser.addons.size(); ++i)
            if (browser.addons[i].id.empty() && browser.addons[i].name == id) matches.push_back(static_cast<int>(i));
    }
    if (matches.empty()) return {-1, browser.displayName + " has no add-on \"" + id + "\""};

    const auto viewOf = [&](int index) {
        return browser.addons[static_cast<std::size_t>(index)].nativeView == 1 && win64 ? 64 : 32;
    };
    if (view != 0) {
        std::erase_if(matches, [&](int index) { return viewOf(index) != view; });
        if (matches.empty())
            return {-1, browser.displayName + " has no add-on \"" + id + "\" in the " + std::to_string(view) +
                            "-bit registry view"};
    }
    if (matches.size() > 1) {
        std::string error = "\"" + id + "\" names " + std::to_string(matches.size()) + " add-ons of " +
                            browser.displayName + " (";
        for (std::size_t i = 0; i < matches.size(); ++i) {
            if (i) error += ", ";
            error += std::to_string(viewOf(matches[i])) + "-bit view";
        }
        error += ")";
        if (view == 0) error += "; choose one with --view 32 or --view 64";
        return {-1, error};
    }
    return {matches.front(), {}};
}
