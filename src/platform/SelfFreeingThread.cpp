#include "platform/SelfFreeingThread.h"

#include "platform/MainThreadCalls.h"

namespace {

// The workers only fetch and decode; a small stack reservation lets many of
// them run at once within the address space of a 32-bit process.
constexpr SIZE_T kStackReservation = 256 * 1024;

}  // namespace

void TSelfFreeingThread::Start(std::unique_ptr<TSelfFreeingThread> thread) {
    InitMainThreadCalls();
    const HANDLE handle = CreateThread(nullptr, kStackReservation, Run, thread.get(),
                                       CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!handle) {
        HandOverEnd(std::move(thread));
        return;
    }
    thread->handle_.reset(handle);
    SetThreadPriority(handle, thread->priority_);
    // From here on the object belongs to the running thread.
    thread.release();
    ResumeThread(handle);
}

DWORD WINAPI TSelfFreeingThread::Run(void* self) {
    std::unique_ptr<TSelfFreeingThread> thread(static_cast<TSelfFreeingThread*>(self));
    thread->Execute();
    HandOverEnd(std::move(thread));
    return 0;
}

void TSelfFreeingThread::HandOverEnd(std::unique_ptr<TSelfFreeingThread> thread) {
    // The call owns the object and frees it on the user-interface thread once
    // the notification has run (or here, should the call never be queued).
    std::shared_ptr<TSelfFreeingThread> owner(std::move(thread));
    PostToMainThread([owner = std::move(owner)]() mutable {
        owner->NotifyEnd();
        owner.reset();
    });
}
