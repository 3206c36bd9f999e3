#include "browsers/firefox/ZipArchive.h"

#include <zlib.h>

#include <cstdint>

namespace {

constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint32_t kDirectoryEntry = 0x02014b50;
constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::size_t kEndOfDirectorySize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kLongestComment = 0xFFFF;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kEncrypted = 1;

// Little-endian numbers at an offset the caller has checked.
std::uint16_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Read16(bytes, at)) | static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16;
}

bool Fits(std::string_view bytes, std::size_t at, std::size_t size) {
    return at <= bytes.size() && size <= bytes.size() - at;
}

// The end-of-directory record, searched from the end past a comment of any length.
std::optional<std::size_t> FindEndOfDirectory(std::string_view archive) {
    if (archive.size() < kEndOfDirectorySize) return std::nullopt;
    const std::size_t last = archive.size() - kEndOfDirectorySize;
    const std::size_t first = last > kLongestComment ? last - kLongestComment : 0;
    for (std::size_t at = last + 1; at-- > first;) {
        if (Read32(archive, at) == kEndOfDirectory && at + kEndOfDirectorySize + Read16(archive, at + 20) == archive.size())
            return at;
    }
    return std::nullopt;
}

std::optional<std::string> Inflate(std::string_view packed, std::size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    // Raw deflate data, as ZIP entries hold it.
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    if (!whole) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> ReadZipEntry(std::string_view archive, std::string_view name, std::size_t maxSize) {
    const std::optional<std::size_t> end = FindEndOfDirectory(archive);
    if (!end) return std::nullopt;
    const std::size_t count = Read16(archive, *end + 10);
    const std::size_t directorySize = Read32(archive, *end + 12);
    std::size_t at = Read32(archive, *end + 16);
    if (!Fits(archive, at, directorySize)) return std::nullopt;

    for (std::size_t i = 0; i < count; ++i) {
        if (!Fits(archive, at, kDirectoryEntrySize) || Read32(archive, at) != kDirectoryEntry) return std::nullopt;
        const std::uint16_t flags = Read16(archive, at + 8);
        const std::uint16_t method = Read16(archive, at + 10);
        const std::uint32_t crc = Read32(archive, at + 16);
        const std::size_t packedSize = Read32(archive, at + 20);
        const std::size_t size = Read32(archive, at + 24);
        const std::size_t nameLength = Read16(archive, at + 28);
        const std::size_t extraLength = Read16(archive, at + 30);
        const std::size_t commentLength = Read16(archive, at + 32);
        const std::size_t header = Read32(archive, at + 42);
        if (!Fits(archive, at + kDirectoryEntrySize, nameLength)) return std::nullopt;
        const std::string_view entryName = archive.substr(at + kDirectoryEntrySize, nameLength);
        at += kDirectoryEntrySize + nameLength + extraLength + commentLength;
        if (entryName != name) continue;

        if ((flags & kEncrypted) || size > maxSize) return std::nullopt;
        if (!Fits(archive, header, kLocalHeaderSize) || Read32(archive, header) != kLocalHeader) return std::nullopt;
        const std::size_t dataStart =
            header + kLocalHeaderSize + Read16(archive, header + 26) + Read16(archive, header + 28);
        if (!Fits(archive, dataStart, packedSize)) return std::nullopt;
        const std::string_view packed = archive.substr(dataStart, packedSize);
        std::optional<std::string> data;
        if (method == kStored && packedSize == size) {
            data = std::string(packed);
        } else if (method == kDeflated) {
            data = Inflate(packed, size);
        }
        if (!data) return std::nullopt;
        const uLong sum = crc32(0L, reinterpret_cast<const Bytef*>(data->data()), static_cast<uInt>(data->size()));
        if (sum != crc) return std::nullopt;
        return data;
    }
    return std::nullopt;
}
