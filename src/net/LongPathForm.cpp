#include "net/LongPathForm.h"

namespace {

std::optional<std::wstring> Convert(const std::wstring& path, const LongNameSearch& search) {
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return path;
    std::optional<std::wstring> result = Convert(path.substr(0, slash), search);
    if (!result) return std::nullopt;
    *result += L'\\';
    if (slash + 1 < path.size()) {
        const std::optional<std::wstring> name = search(path);
        if (!name) return std::nullopt;
        *result += *name;
    }
    return result;
}

}  // namespace

std::wstring LongPathForm(const std::wstring& path, const LongNameSearch& search) {
    return Convert(path, search).value_or(std::wstring());
}

std::wstring LongTempFolder(const std::wstring& reported, const LongNameSearch& search) {
    std::wstring folder = LongPathForm(reported, search);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}
