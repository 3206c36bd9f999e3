#include "ZipBuilder.h"

#include <zlib.h>

namespace {

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string RawDeflate(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace

std::string BuildZip(const std::vector<ZipTestEntry>& entries, const std::string& comment) {
    std::string archive, directory;
    for (const ZipTestEntry& entry : entries) {
        const std::string packed = entry.deflate ? RawDeflate(entry.data) : entry.data;
        const auto crc = static_cast<std::uint32_t>(
            crc32(0L, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
        const auto offset = static_cast<std::uint32_t>(archive.size());
        const std::uint32_t method = entry.deflate ? 8 : 0;
        Put32(archive, 0x04034b50);
        Put16(archive, 20);
        Put16(archive, 0);
        Put16(archive, method);
        Put32(archive, 0);  // time and date
        Put32(archive, crc);
        Put32(archive, static_cast<std::uint32_t>(packed.size()));
        Put32(archive, static_cast<std::uint32_t>(entry.data.size()));
        Put16(archive, static_cast<std::uint32_t>(entry.name.size()));
        Put16(archive, 4);  // an extra field, as many packers write one
        archive += entry.name;
        archive += std::string(4, '\0');
        archive += packed;

        Put32(directory, 0x02014b50);
        Put16(directory, 20);
        Put16(directory, 20);
        Put16(directory, 0);
        Put16(directory, method);
        Put32(directory, 0);
        Put32(directory, crc);
        Put32(directory, static_cast<std::uint32_t>(packed.size()));
        Put32(directory, static_cast<std::uint32_t>(entry.data.size()));
        Put16(directory, static_cast<std::uint32_t>(entry.name.size()));
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, 0);
        Put32(directory, offset);
        directory += entry.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(archive.size());
    archive += directory;
    Put32(archive, 0x06054b50);
    Put16(archive, 0);
    Put16(archive, 0);
    Put16(archive, static_cast<std::uint32_t>(entries.size()));
    Put16(archive, static_cast<std::uint32_t>(entries.size()));
    Put32(archive, static_cast<std::uint32_t>(directory.size()));
    Put32(archive, directoryOffset);
    Put16(archive, static_cast<std::uint32_t>(comment.size()));
    archive += comment;
    return archive;
}
