#pragma once

#include <windows.h>

#include <functional>

// A second thread of a test, standing in for Windows or for a person while the test's own
// thread sits in a modal loop or a message loop. It is joined with a time limit: a thread
// still running by then fails the test and is ended, so that a deadlock between the two
// costs one test instead of the whole run.
class TestThread {
public:
    explicit TestThread(std::function<void()> body, DWORD limitMilliseconds = 30000);
    ~TestThread();  // joins, if Join was not called
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    // Waits for the thread within the limit; false, with a test failure, when it had to be ended.
    bool Join();

private:
    static DWORD WINAPI Run(void* self);

    std::function<void()> body_;
    DWORD limit_;
    HANDLE handle_ = nullptr;
};
