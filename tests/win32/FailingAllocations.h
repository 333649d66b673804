#pragma once

// Memory running out, for one scope on the calling thread: its next allocations with new
// throw std::bad_alloc. Other threads allocate as usual.
class FailingAllocations {
public:
    explicit FailingAllocations(int count = 1);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

    // How many of the failures are still to come.
    static int Left();
};
