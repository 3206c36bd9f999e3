#pragma once
// Files written beside a target and then moved over it, so that the target
// is replaced whole or not at all. Their names say whose they are,
// "<target>.brivo-tmp-<8 random letters or digits>": a browser never takes
// one for a file of its own, and a run that crashed before moving one over
// its target leaves nothing the next save cannot recognise and remove.
#include <string>

// A fresh name of that form for a file beside target (not created here).
std::wstring TemporarySiblingPath(const std::wstring& target);

// Deletes the files of that form beside target that earlier runs left
// behind. Files still open elsewhere (a save under way) stay.
void RemoveStaleTemporarySiblings(const std::wstring& target);
