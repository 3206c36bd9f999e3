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
