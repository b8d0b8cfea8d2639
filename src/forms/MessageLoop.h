#pragma once
// The message loop, and the nested loop of modal windows.
#include <windows.h>

// Runs the message loop until the window marked with EndProgramWhenClosed closes (a quit
// message); returns the quit message's exit code.
int RunMessageLoop();

// Takes one message from the queue and hands it on. False once the queue says quit: the quit
// is posted again, so every enclosing loop ends too.
bool PumpMessage();

// Hands one message to its window, letting the top-level window it belongs to take it first
// (Window::PreTranslateMessage: its keyboard navigation, as a dialog's). An auto-repeated Enter
// is dropped, and so is the rest of a double-click whose first click closed its window
// (IgnoreRestOfDoubleClick).
void DeliverMessage(MSG& message);

// One press of Enter, one action: while the key is held, its auto-repeats (the previous key state
// set) search, choose or press nothing more.
bool IsRepeatedEnter(const MSG& message);

// A click at point (in window's client area) has just chosen something that closes its window:
// the rest of a double-click begun there is dropped, instead of clicking what lies beneath.
void IgnoreRestOfDoubleClick(HWND window, POINT point);

// Tests put a GetMessageW of their own in place of the system's.
using GetMessageFunction = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
GetMessageFunction SetGetMessageForTesting(GetMessageFunction getMessage);
