#pragma once
// Calls that worker threads hand to the user-interface thread through window
// messages: the program has one such thread, which owns every window and
// record, and workers never touch them themselves.
//
// The calls go to a message-only window that belongs to the thread that
// first called InitMainThreadCalls (start-up does, and so does every worker
// start, which happens on the user-interface thread). They run from that
// thread's message loop, in the order they were posted.
#include <functional>

// Creates the window on the calling thread unless it exists (also again
// after it was destroyed); false when it cannot be made.
bool InitMainThreadCalls();
// True on the thread that owns the window.
bool OnMainThread();
// Queues the call and returns at once. Without the window, or when the
// message cannot be posted, the call is dropped (and destroyed here).
void PostToMainThread(std::function<void()> call);
// Runs the call on the user-interface thread and waits until it has run;
// on that thread itself it runs at once.
void RunOnMainThread(const std::function<void()>& call);
