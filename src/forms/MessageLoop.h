#pragma once
// The message loop, the nested loop of modal windows, and the modal message box.
#include <windows.h>

#include "platform/Text.h"

// Runs the message loop until the window marked with EndProgramWhenClosed closes (a quit
// message); returns the quit message's exit code.
int RunMessageLoop();

// Takes one message from the queue and hands it on. False once the queue says quit: the quit
// is posted again, so every enclosing loop ends too.
bool PumpMessage();

// Hands one message to its window, letting the window it belongs to handle its keyboard
// navigation (Tab, mnemonics, Escape, Enter on a button) the way a dialog does. An
// auto-repeated Enter is dropped, and so is the rest of a double-click whose first click closed
// its window (IgnoreRestOfDoubleClick).
void DeliverMessage(MSG& message);

// A modal message box owned by Form::OwnerWindow(); returns the button that closed it. An
// auto-repeated Enter does not press its button: one press, one action.
int MsgBox(TextView prompt, UINT style, TextView title);

// A click at point (in window's client area) has just chosen something that closes its window:
// the rest of a double-click begun there is dropped, instead of clicking what lies beneath.
void IgnoreRestOfDoubleClick(HWND window, POINT point);

// Tests put a GetMessageW of their own in place of the system's.
using GetMessageFunction = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
GetMessageFunction SetGetMessageForTesting(GetMessageFunction getMessage);
