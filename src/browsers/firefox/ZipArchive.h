#pragma once
// Reading one file out of a ZIP archive held in memory: the icons inside a
// Firefox add-on package (".xpi"). Stored and deflated entries; ZIP64,
// encrypted and spanned archives are not read. No file or Windows access.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The bytes of the entry named exactly `name` (its path inside the archive,
// "/" between folders). None when there is no such entry, the archive is
// damaged or not a ZIP archive, the entry's data does not match its checksum,
// or it would unpack to more than maxSize bytes.
std::optional<std::string> ReadZipEntry(std::string_view archive, std::string_view name,
                                        std::size_t maxSize = 8u << 20);
