#include "win32/TestThread.h"

#include <gtest/gtest.h>

#include <stdexcept>

TestThread::TestThread(std::function<void()> body, DWORD limitMilliseconds)
    : body_(std::move(body)), limit_(limitMilliseconds) {
    handle_ = CreateThread(nullptr, 0, &TestThread::Run, this, 0, nullptr);
    if (!handle_) {
        throw std::runtime_error("cannot start a thread");
    }
}

TestThread::~TestThread() {
    Join();
}

DWORD WINAPI TestThread::Run(void* self) {
    static_cast<TestThread*>(self)->body_();
    return 0;
}

bool TestThread::Join() {
    if (!handle_) {
        return true;
    }
    const bool finished = WaitForSingleObject(handle_, limit_) == WAIT_OBJECT_0;
    if (!finished) {
        // What it waits for will never come; whatever it holds of the test's must not be
        // touched once the test has moved on.
        ADD_FAILURE() << "a helper thread of the test was still running after " << limit_ << " ms";
        TerminateThread(handle_, 1);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    return finished;
}
