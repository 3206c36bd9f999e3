#pragma once
// Byte-exact file access for tests, bypassing the code under test. Failures
// are reported to the running test.
#include <string>

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);  // "(missing)" when it cannot be read
bool PathExists(const std::wstring& path);
// Creates the folder and its missing parents; a trailing backslash is fine.
void MakeFolders(const std::wstring& path);
// Deletes a file or a folder with everything in it; attributes are cleared first.
void RemoveTree(const std::wstring& path);
// stem + "-" + process id + "-" + a serial number: unique on the machine.
std::wstring UniqueName(const wchar_t* stem);
