#pragma once
// Small helpers of the wizard pages that edit flags and texts of editRecord
// through check boxes and edits: one Win32 call each, by control id.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "wizard/TcpPageRules.h"

namespace pagecontrols {

bool IsTicked(HWND page, int id);
void SetTicked(HWND page, int id, bool ticked);
// A record flag from a check box: 1 when ticked, else 0.
uint8_t FlagOf(HWND page, int id);
std::wstring TextOf(HWND page, int id);
void SetText(HWND page, int id, const std::wstring& text);
void Enable(HWND page, int id, bool enabled);
void LimitText(HWND page, int id, std::size_t limit);

// IP address controls: the first field of an address takes 1..223; a
// value 0 shows a blank control; a read gives the value and how many
// fields are filled.
void LimitFirstField(HWND page, int id);
void SetAddress(HWND page, int id, uint32_t value);
tcppage::AddressField ReadAddress(HWND page, int id);

// A click on the button `id` (WM_COMMAND's wParam).
bool IsClickOn(WPARAM wParam, int id);
// Next's check result: 0 passed; otherwise the message's string-table id,
// shown as a failed check with the focus on control `focusId`. True when
// the check failed and the page must stay.
bool RefuseNext(HWND page, int failure, int focusId);

}  // namespace pagecontrols
