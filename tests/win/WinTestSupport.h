#pragma once
// Driving the real windows from inside the test process: messages go through the program's own
// delivery (the dialog keys included), and shell launches are recorded instead of made.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/frmGoogleVideo.h"
#include "examples/frmInfo.h"

// The search window, loaded and shown as at start-up.
frmGoogleVideo& ShownSearchWindow();

// Delivers every queued message, for at least `milliseconds`.
void PumpFor(int milliseconds = 0);

// Posts a left click (press and release) at a point of a window's client area.
void ClickAt(HWND window, POINT point);
POINT CentreOf(const Control& control);

// Posts a key press and release; flags go into both messages' lParam (1 << 24: keypad Enter).
void PressKey(HWND window, UINT virtualKey, LPARAM flags = 0);
// Sets the modifier state that GetKeyState reports to the program.
void HoldKeys(std::initializer_list<int> virtualKeys);

// Tells a window that its monitor's scale is now dpi, suggesting the frame that scale gives it.
void ScaleTo(Form& window, int dpi);

// Records every address handed to the shell while it lives.
class LaunchRecorder {
public:
    LaunchRecorder();
    ~LaunchRecorder();
    std::vector<std::string>& Launches();
};

// Runs `action` with the first visible window of this thread titled `title`, from whatever
// (modal) loop runs once it exists.
void WhenWindowAppears(const std::wstring& title, std::function<void(HWND)> action);

// The message box titled `title` that `trigger` brings up, read and closed with OK.
struct SeenMessageBox {
    bool Shown = false;
    std::wstring Text;
    HICON Icon = nullptr;
    int Buttons = 0;
    HWND Owner = nullptr;
};
SeenMessageBox ExpectMessageBox(const std::wstring& title, const std::function<void()>& trigger);

// Clicks "..." and runs `during` inside the examples window's modal loop; returns once the
// window has closed, closing it with its close box if `during` left it open.
void WithExamplesOpen(const std::function<void(frmInfo&)>& during);

// A test whose routine must end its process registers the routine, then runs it as a child:
// this executable started again with --child NAME. The caller closes the handles.
bool RegisterChildRoutine(const char* name, int (*routine)());
int RunChildRoutine(const char* name);
PROCESS_INFORMATION StartChild(const char* name);
DWORD ChildExitCode(const char* name); // runs it to its end
// A visible top-level window of that process with that title, waiting up to ten seconds.
HWND WaitForProcessWindow(DWORD processId, const wchar_t* title);
