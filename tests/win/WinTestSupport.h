#pragma once
// Driving the real windows from inside the test process: messages go through the program's own
// delivery (the dialog keys included), and shell launches are recorded instead of made.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

#include "app/frmGoogleVideo.h"
#include "examples/frmInfo.h"

frmGoogleVideo& ShownSearchWindow(); // loaded and shown as at start-up
void PumpFor(int milliseconds = 0);  // delivers every queued message, for at least that long
void ClickAt(HWND window, POINT point);
POINT CentreOf(const RECT& r);
POINT CentreOf(const Control& control);
void PressKey(HWND window, UINT virtualKey);
void ScaleTo(Form& window, int dpi);                   // WM_DPICHANGED with the frame that scale gives it
// Another program's window comes to the front, as when the user switches to it.
HWND AnotherProgram();

// Records every address handed to the shell while it lives; each launch fails unless succeed.
struct LaunchRecorder {
    explicit LaunchRecorder(bool succeed = true);
    ~LaunchRecorder();
    std::vector<std::string>& Launches();
};

// Hands each window titled `title` that shows while `trigger` runs (and `late` milliseconds after)
// to `appeared`, from whatever (modal) loop runs then.
void WatchWindows(const std::wstring& title, const std::function<void()>& trigger, std::function<void(HWND)> appeared,
                  int late = 250);

// The message boxes titled `title` that `trigger` brings up, each read as it appears (when
// `meanwhile` may act on it) and closed with OK a moment later, unless it closed by itself.
struct SeenMessageBox {
    HWND Box = nullptr;
    std::wstring Text;
    HICON Icon = nullptr;
    HWND Owner = nullptr;
    bool OwnerEnabled = false; // whether the window it belongs to took input meanwhile
    bool StayedOpen = false;   // until the test closed it
};
std::vector<SeenMessageBox> MessageBoxesFrom(const std::wstring& title, const std::function<void()>& trigger,
                                             std::function<void(HWND)> meanwhile = nullptr);
// The one box that `trigger` brings up.
SeenMessageBox ExpectMessageBox(const std::wstring& title, const std::function<void()>& trigger);

// Clicks "..." and runs `during` inside the examples window's modal loop; returns once the
// window has closed, closing it with its close box if `during` left it open.
void WithExamplesOpen(const std::function<void(frmInfo&)>& during);

// A routine that must end its process runs as a test of its own: this executable with --child NAME.
bool RegisterChildRoutine(const char* name, int (*routine)());
