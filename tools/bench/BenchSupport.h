#pragma once
// Small helpers shared by the benchmark programs.
#include <windows.h>

#include <chrono>
#include <string>

#include "platform/UniqueHandles.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The whole file with exactly these bytes; false when it could not be written.
inline bool WriteAll(const std::wstring& path, const std::string& bytes) {
    const UniqueHandle file =
        AdoptHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace bench
