#include "winui/worker.h"

#include <process.h>

namespace winui {

CWorkerThread::~CWorkerThread()
{
    RequestStop();
    Join();
}

bool CWorkerThread::Start(Work work)
{
    if (thread_ && !Join(0))
        return false;
    work_ = std::move(work);
    stop_ = false;
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, ThreadMain, this, 0, &id);
    if (!handle)
        return false;
    thread_ = reinterpret_cast<HANDLE>(handle);
    threadId_ = id;
    return true;
}

unsigned __stdcall CWorkerThread::ThreadMain(void* self)
{
    auto* worker = static_cast<CWorkerThread*>(self);
    worker->work_(*worker);
    return 0;
}

bool CWorkerThread::Join(DWORD timeout)
{
    if (!thread_)
        return true;
    if (WaitForSingleObject(thread_, timeout) != WAIT_OBJECT_0)
        return false;
    CloseHandle(thread_);
    thread_ = nullptr;
    threadId_ = 0;
    return true;
}

bool CWorkerThread::IsRunning() const
{
    return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}

} // namespace winui
