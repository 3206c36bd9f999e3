#include "cli/AddonListing.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "json/JsonWriter.h"

namespace {

constexpr int kInternetExplorer = 2;

void AppendName(std::string& out, std::string_view name) {
    AppendJsonString(out, name);
    out += ':';
}

void AppendBool(std::string& out, bool value) { out += value ? "true" : "false"; }

// Whole ratings (0 before the service answered) as integers; others as the
// program writes non-integral numbers.
void AppendRating(std::string& out, double rating) {
    if (std::isfinite(rating) && rating == std::floor(rating) && std::fabs(rating) < 1e15) {
        out += std::to_string(static_cast<long long>(rating));
    } else {
        AppendJsonNumber(out, rating);
    }
}

std::string RatingText(double rating) {
    std::string text;
    AppendRating(text, rating);
    return text;
}

void AppendAddonJson(std::string& out, const ListedAddon& addon) {
    out += '{';
    AppendName(out, "id");
    AppendJsonString(out, addon.id);
    out += ',';
    AppendName(out, "name");
    AppendJsonString(out, addon.name);
    out += ',';
    AppendName(out, "description");
    AppendJsonString(out, addon.description);
    out += ',';
    AppendName(out, "version");
    AppendJsonString(out, addon.version);
    out += ',';
    AppendName(out, "kind");
    out += std::to_string(addon.kind);
    out += ',';
    AppendName(out, "disabled");
    AppendBool(out, addon.disabled);
    out += ',';
    AppendName(out, "nativeView");
    out += std::to_string(addon.nativeView);
    out += ',';
    AppendName(out, "filePath");
    AppendJsonString(out, addon.filePath);
    out += ',';
    AppendName(out, "iconUrl");
    AppendJsonString(out, addon.iconUrl);
    out += ',';
    AppendName(out, "hasIcon");
    AppendBool(out, addon.hasIcon);
    out += ',';
    AppendName(out, "rating");
    AppendRating(out, addon.rating);
    out += '}';
}

void AppendBrowserJson(std::string& out, const ListedBrowser& browser) {
    out += '{';
    AppendName(out, "browser");
    AppendJsonString(out, browser.browser);
    out += ',';
    AppendName(out, "kind");
    out += std::to_string(browser.kind);
    out += ',';
    AppendName(out, "displayName");
    AppendJsonString(out, browser.displayName);
    out += ',';
    AppendName(out, "found");
    AppendBool(out, browser.found);
    out += ',';
    AppendName(out, "dataPath");
    AppendJsonString(out, browser.dataPath);
    out += ',';
    AppendName(out, "isDefault");
    AppendBool(out, browser.isDefault);
    out += ',';
    AppendName(out, "running");
    AppendBool(out, browser.running);
    out += ',';
    AppendName(out, "addons");
    out += '[';
    for (std::size_t i = 0; i < browser.addons.size(); ++i) {
        if (i) out += ',';
        AppendAddonJson(out, browser.addons[i]);
    }
    out += "]}";
}

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

void AppendCsvRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        AppendCsvField(out, fields[i]);
    }
    out += "\r\n";
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

std::string AddonKindName(int browserKind, int addonKind) {
    if (browserKind == kInternetExplorer) {
        switch (addonKind) {
        case 1: return "BHO";
        case 2: return "toolbar";
        case 4: return "context menu";
        default: break;
        }
    } else {
        switch (addonKind) {
        case 1: return "extension";
        case 2: return "plug-in";
        default: break;
        }
    }
    return "kind " + std::to_string(addonKind);
}

std::string FormatListJson(const std::vector<ListedBrowser>& browsers) {
    std::string out = "{\"browsers\":[";
    for (std::size_t i = 0; i < browsers.size(); ++i) {
        if (i) out += ',';
        AppendBrowserJson(out, browsers[i]);
    }
    out += "]}\r\n";
    return out;
}

std::string FormatListCsv(const std::vector<ListedBrowser>& browsers) {
    std::string out;
    AppendCsvRow(out, {"browser", "kind", "id", "name", "description", "version", "disabled", "nativeView",
                       "filePath", "iconUrl", "hasIcon", "rating"});
    for (const ListedBrowser& browser : browsers) {
        for (const ListedAddon& addon : browser.addons) {
            AppendCsvRow(out, {browser.browser, std::to_string(addon.kind), addon.id, addon.name, addon.description,
                               addon.version, addon.disabled ? "true" : "false", std::to_string(addon.nativeView),
                               addon.filePath, addon.iconUrl, addon.hasIcon ? "true" : "false",
                               RatingText(addon.rating)});
        }
    }
    return out;
}

std::string FormatListTable(const std::vector<ListedBrowser>& browsers) {
    std::string out;
    for (const ListedBrowser& browser : browsers) {
        if (!out.empty()) out += "\r\n";
        out += browser.displayName + " (" + browser.browser + ")";
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
