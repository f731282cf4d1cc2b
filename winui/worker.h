// CWorkerThread: a thread that works for a window and reports to it by
// posting messages (PostMessageA); it is stopped cooperatively: RequestStop
// sets a flag the work checks (StopRequested), Join waits for the end
// (WaitForSingleObject). A thread is never terminated from outside. The
// destructor asks the work to stop and joins it.
//
//   CWorkerThread worker;
//   worker.Start([hwnd](CWorkerThread& self) {
//       while (!self.StopRequested()) {
//           ... one step ...
//           self.Post(hwnd, WM_APP_PROGRESS, step, 0);
//       }
//   });
//   ...
//   worker.RequestStop();
//   worker.Join();
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

namespace winui {

class CWorkerThread {
public:
    using Work = std::function<void(CWorkerThread& self)>;

    CWorkerThread() = default;
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // _beginthreadex; false when a thread still runs or none could start.
    bool Start(Work work);
    void RequestStop() { stop_ = true; }
    bool StopRequested() const { return stop_; }
    // Waits for the thread (at most timeout ms); true when it has ended (or
    // none ran). The handle is closed once the thread has ended.
    bool Join(DWORD timeout = INFINITE);
    // The thread was started and has not been joined yet.
    bool IsRunning() const;
    DWORD ThreadId() const { return threadId_; }
    // The thread's handle until it is joined (SetThreadPriority, or waits
    // that also handle sent messages: MsgWaitForMultipleObjects).
    HANDLE Handle() const { return thread_; }

    // PostMessageA to the window; false when it is gone (the work should
    // then end: nobody listens).
    static bool Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return IsWindow(window) && PostMessageA(window, message, wParam, lParam);
    }

private:
    static unsigned __stdcall ThreadMain(void* self);

    Work work_;
    std::atomic<bool> stop_{false};
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

} // namespace winui
