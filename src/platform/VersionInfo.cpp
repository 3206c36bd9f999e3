#include "platform/VersionInfo.h"

#include <cstring>
#include <vector>

static_assert(sizeof(VS_FIXEDFILEINFO) >= sizeof(TFixedFileInfo::words));

void GetFixedFileInfo(const std::wstring& file, TFixedFileInfo& record) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return;
    void* block = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", &block, &length) || !block || length < sizeof(record.words)) return;
    std::memcpy(record.words, block, sizeof(record.words));
}

std::wstring DisplayVersion(const TFixedFileInfo& info) {
    const auto number = [](DWORD word) { return std::to_wstring(word); };
    return number(HIWORD(info.FileVersionMS())) + L"." + number(LOWORD(info.FileVersionMS())) +
           number(HIWORD(info.FileVersionLS())) + L"." + number(LOWORD(info.FileVersionLS()));
}

TFixedFileInfo ProgramFileInfo() {
    TFixedFileInfo info;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return info;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    GetFixedFileInfo(path, info);
    return info;
}

std::wstring ProgramDisplayVersion() {
    const TFixedFileInfo info = ProgramFileInfo();
    if (info.Signature() == 0) return {};
    return DisplayVersion(info);
}

int ProgramBuild() { return LOWORD(ProgramFileInfo().FileVersionLS()); }
