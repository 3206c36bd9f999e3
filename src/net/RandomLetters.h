#pragma once
// Random lower-case letters for temporary file names.
#include <string>

// n letters "a" to "z", each uniformly chosen; empty for n <= 0. Each thread
// draws from its own generator, seeded once from the system's random source
// and the clock, so two calls in the same clock tick (the update and news
// checks run at the same time) do not yield the same name.
std::string RandomLetters(int n);
