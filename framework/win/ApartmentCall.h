#pragma once
#include <functional>

// Runs `work` on a short-lived thread that is a single-threaded COM
// apartment of its own, and waits for it. For apartment-threaded objects
// (the shell's) needed briefly by a thread of the multithreaded apartment:
// created there, COM would host them on a thread kept for the rest of the
// process's life and reach them through proxies. Returns work's result;
// when no thread can be started, work runs on the calling thread.
bool CallInOwnApartment(const std::function<bool()>& work);
