#pragma once
// Runs the test thread's message loop, as the program's user-interface
// thread would, until a condition holds or the time is up.
#include <functional>

// True when the condition held before timeoutMs passed.
bool PumpMessagesUntil(const std::function<bool()>& condition, unsigned timeoutMs = 10000);
// Dispatches whatever arrives during the time given.
void PumpMessagesFor(unsigned milliseconds);
