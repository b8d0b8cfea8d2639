#pragma once
// Driving the real windows from inside the test process: messages go through the program's
// own delivery (the dialog-style keyboard handling included), shell launches are recorded.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/Form.h"

class frmGoogleVideo;

// The program's search window, loaded and shown as at start-up (once per test process).
frmGoogleVideo& ShownSearchWindow();

// Delivers every queued message, for at least `milliseconds`.
void PumpFor(int milliseconds = 0);

// Posts a left click (press and release) at a point of a window's client area.
void ClickAt(HWND window, int x, int y);

// Posts a key press and release to a window; extended marks keypad Enter and the like.
void PressKey(HWND window, UINT virtualKey, bool extended = false);

// Sets the modifier state that GetKeyState reports to the program.
void HoldKeys(std::initializer_list<int> virtualKeys);

// The centre of a control, in its container's client area.
POINT CentreOf(const Control& control);

// Records every address handed to the shell while it lives.
class LaunchRecorder {
public:
    LaunchRecorder();
    ~LaunchRecorder();
    static std::vector<std::string>& Launches();
};

// Runs `action` once a window titled `title` of this process exists (from inside whatever
// modal loop is running then), with that window.
void WhenWindowAppears(const std::wstring& title, std::function<void(HWND)> action);

// Text of the static control that carries a message box's message.
std::wstring MessageBoxText(HWND box);

// The pixels of a window's client area as its own paint code draws them.
std::vector<COLORREF> RenderClient(HWND window, int& width, int& height);

// Child routines: a test registers one, then starts this executable again to run it alone.
using ChildRoutine = int (*)();
bool RegisterChildRoutine(const char* name, ChildRoutine routine);
int RunChildRoutine(const char* name);

// Starts this executable with --child NAME; the handle must be closed by the caller.
PROCESS_INFORMATION StartChild(const char* name);

// The first visible top-level window of a process with this title, waiting up to timeout.
HWND WaitForProcessWindow(DWORD processId, const std::wstring& title, int timeoutMilliseconds);
