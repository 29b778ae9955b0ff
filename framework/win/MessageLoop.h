#pragma once
#include <windows.h>

// The thread's message loop helpers shared by CWinApp and the modal loops.
namespace msgloop {

// Offers the message to PreTranslateMessage of every window object from the
// message's window up to its top-level window; true when one handled it.
bool PreTranslate(MSG* msg);

// Gets one message (waiting), pre-translates and dispatches it.
// False when WM_QUIT was received (it is posted again for outer loops).
bool PumpMessage();

// Dispatches every message waiting now, without waiting for more, until
// `waitable` is signalled; the thread keeps its windows alive meanwhile.
// False when WM_QUIT was received (it is posted again for outer loops).
bool PumpUntilSignalled(HANDLE waitable);

}  // namespace msgloop
