// Reads an entry out of arbitrary bytes taken as a ZIP archive: the reader
// must end and never touch memory it does not own.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "browsers/firefox/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view archive(reinterpret_cast<const char*>(data), size);
    for (const char* name : {"icons/icon.png", "a", ""}) ReadZipEntry(archive, name, 1u << 16);
    return 0;
}
