// Parse and write times of the JSON document on a generated Preferences-like
// file of about 20 MB, beside RapidJSON's own parse and plain writer on the
// same text, and the memory the parsed document takes.
#include <windows.h>
#include <psapi.h>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "json/JsonDocument.h"

namespace {

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// Extension ids look like the browsers' 32 letters a..p.
std::string ExtensionId(unsigned n) {
    std::string id(32, 'a');
    for (int i = 0; i < 32; ++i) {
        id[i] = static_cast<char>('a' + (n % 16));
        n = n * 2654435761u + 0x9e37u;
    }
    return id;
}

std::string GeneratePreferences(std::size_t targetBytes) {
    std::string text;
    // Reserved at once, so that making the text does not raise the peak
    // above what parsing it takes.
    text.reserve(targetBytes + (1u << 16));
    text += "{\"browser\":{\"window_placement\":{\"bottom\":1040,\"left\":10,\"maximized\":true}},"
                       "\"extensions\":{\"settings\":{";
    const char* names[] = {"Übersetzer für Webseiten", "Gestionnaire de téléchargements",
                           "Блокировщик рекламы", "网页截图工具", "Bloc de notas rápido"};
    for (unsigned n = 0; text.size() < targetBytes; ++n) {
        if (n) text += ',';
        text += "\"" + ExtensionId(n) + "\":{\"active_permissions\":{\"api\":[\"tabs\",\"storage\",\"contextMenus\"],"
                "\"explicit_host\":[\"http://*/*\",\"https://*/*\"]},\"creation_flags\":" + std::to_string(n % 9) +
                ",\"from_webstore\":true,\"install_time\":\"1330" + std::to_string(1000000 + n) +
                "\",\"location\":1,\"manifest\":{\"name\":\"" + names[n % 5] + " " + std::to_string(n) +
                "\",\"description\":\"" + std::string(600, 'x') + " \\u00e9\\n\\\"quoted\\\" / " + names[(n + 2) % 5] +
                "\",\"version\":\"" + std::to_string(n % 7) + "." + std::to_string(n % 13) + ".0\",\"icons\":{\"16\":"
                "\"icon16.png\",\"48\":\"icon48.png\"},\"update_url\":\"https://clients.example.com/service/update2/crx\"},"
                "\"path\":\"" + ExtensionId(n) + "\\\\1.0_0\",\"state\":" + std::to_string(n % 3 ? 1 : 0) +
                ",\"was_installed_by_default\":false,\"ratio\":" + std::to_string(0.001 * n + 0.5) + "}";
    }
    text += "}},\"profile\":{\"name\":\"Person 1\"}}";
    return text;
}

template <typename Work>
double Best(int runs, Work work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = Seconds();
        work();
        best = std::min(best, Seconds() - start);
    }
    return best;
}

}  // namespace

int main() {
    const std::string text = GeneratePreferences(20u << 20);
    std::printf("document: %.1f MB\n", text.size() / 1048576.0);
    constexpr int kRuns = 5;

    // Memory first, while the process's peak is still that of the text.
    const std::size_t before = Memory().PagefileUsage;
    auto document = JsonDocument::ParseFileBytes(text);
    const PROCESS_MEMORY_COUNTERS after = Memory();
    if (!document) return 1;
    const std::size_t held = after.PagefileUsage - before;
    const std::size_t peak = after.PeakPagefileUsage - before;

    const double rapidParse = Best(kRuns, [&] {
        rapidjson::Document plain;
        plain.Parse(text.c_str(), text.size());
        if (plain.HasParseError()) std::printf("rapidjson: parse error\n");
    });
    const double ourParse = Best(kRuns, [&] {
        if (!JsonDocument::ParseFileBytes(text)) std::printf("JsonDocument: parse error\n");
    });

    rapidjson::Document plain;
    plain.Parse(text.c_str(), text.size());
    const double rapidWrite = Best(kRuns, [&] {
        rapidjson::StringBuffer buffer;
        rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
        plain.Accept(writer);
    });
    std::size_t writtenSize = 0;
    const double ourWrite = Best(kRuns, [&] { writtenSize = document->ToText().size(); });

    std::printf("parse: JsonDocument %.1f ms, RapidJSON %.1f ms, ratio %.2f (target <= 1.20)\n", ourParse * 1e3,
                rapidParse * 1e3, ourParse / rapidParse);
    std::printf("write: exact form %.1f ms (%.1f MB), RapidJSON Writer %.1f ms, ratio %.2f (target <= 1.50)\n",
                ourWrite * 1e3, writtenSize / 1048576.0, rapidWrite * 1e3, ourWrite / rapidWrite);
    std::printf("memory: parsing took at most %.1f MB at its peak = %.2f x the file (target < 4); "
                "the document then holds %.1f MB\n",
                peak / 1048576.0, double(peak) / double(text.size()), held / 1048576.0);
    return 0;
}
