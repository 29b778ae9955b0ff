#pragma once
#include <windows.h>

// Holds a slim reader/writer lock exclusively from its making to its end.
class CExclusiveLock {
public:
    explicit CExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~CExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    CExclusiveLock(const CExclusiveLock&) = delete;
    CExclusiveLock& operator=(const CExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};
