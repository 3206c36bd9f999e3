#pragma once
// ZIP archives made in memory for the tests of the add-on package reader,
// written the way packers write them (local headers, data, central
// directory, end record). Portable: used by the native tests and under Wine.
#include <cstdint>
#include <string>
#include <vector>

struct ZipTestEntry {
    std::string name;
    std::string data;
    bool deflate = true;
};

// The archive, with an optional comment after the end record's fields.
std::string BuildZip(const std::vector<ZipTestEntry>& entries, const std::string& comment = "");
