#pragma once
// Moving a file or a folder with everything in it to a new place.
#include <string>

// Moves `from` to `to`, which must not exist yet (its parent folder must).
// On the same volume this is one rename. Across volumes the tree is copied,
// every copied file read back and compared, and only then the original
// deleted (a file held open there may stay behind); when copying fails the
// copy goes again and `from` is left as it was. False when nothing was moved.
bool MovePath(const std::wstring& from, const std::wstring& to);

// The bytes of the file, or of every file under the folder; 0 when nothing
// is there.
unsigned long long PathSize(const std::wstring& path);
