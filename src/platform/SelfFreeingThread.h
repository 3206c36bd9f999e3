#pragma once
// Base of the background workers that nobody waits for: started by their
// owner on the user-interface thread, they do their work, hand their end to
// that thread, and are freed there right after their end notification.
#include <memory>

#include "platform/UniqueHandles.h"

class TSelfFreeingThread {
public:
    TSelfFreeingThread(const TSelfFreeingThread&) = delete;
    TSelfFreeingThread& operator=(const TSelfFreeingThread&) = delete;
    virtual ~TSelfFreeingThread() = default;

    // Creates the thread suspended, gives it its priority and starts it; the
    // thread owns the object from then on. When no thread can be created the
    // end notification still comes, without the work having run. Call on the
    // user-interface thread.
    static void Start(std::unique_ptr<TSelfFreeingThread> thread);

protected:
    explicit TSelfFreeingThread(int priority = THREAD_PRIORITY_IDLE) : priority_(priority) {}

    // The work, on the thread. Errors it expects it handles itself.
    virtual void Execute() = 0;
    // On the user-interface thread after the work, just before the object
    // is freed.
    virtual void NotifyEnd() = 0;

private:
    static DWORD WINAPI Run(void* self);
    static void HandOverEnd(std::unique_ptr<TSelfFreeingThread> thread);

    int priority_;
    UniqueHandle handle_;
};
