#pragma once
#include <functional>

// What the calling thread does while the apartment's thread works.
enum class WhileWaiting {
    block,         // nothing: a brief call
    pumpMessages,  // dispatches its window messages, so that its windows stay painted (a modal dialog)
};

// Runs `work` on a short-lived thread that is a single-threaded COM
// apartment of its own, and waits for it. For apartment-threaded objects
// (the shell's) needed by a thread of the multithreaded apartment: created
// there, COM would host them on a thread kept for the rest of the process's
// life and reach them through proxies. Returns work's result; when no
// thread can be started, work runs on the calling thread.
bool CallInOwnApartment(const std::function<bool()>& work, WhileWaiting whileWaiting = WhileWaiting::block);
