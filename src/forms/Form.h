#pragma once
// A top-level window built from its design, with its controls, events, modal showing and
// closing. Each window of the program is one class derived from Form, with one instance that
// outlives its on-screen window: closing discards the window and its controls, and the next
// showing builds them anew from the design.
#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "accessibility/Accessibility.h"
#include "forms/Control.h"
#include "forms/ControlToolTips.h"
#include "forms/Design.h"
#include "forms/Layout.h"
#include "forms/Surface.h"

class Form : public Surface {
public:
    Form(const FormDesign& design, std::span<const EventRow> events);
    ~Form() override;

    // Builds the window and its controls from the design, then raises Load.
    void Load(HWND owner = nullptr);
    void Show();
    // Shows the window with every other window of the program disabled and returns when it
    // has closed.
    void ShowModal();
    // Closes the window, discarding its controls. Asked for while one of its events runs, the
    // window closes once that event has returned.
    void Unload();
    // The message loop ends when this window closes.
    void EndProgramWhenClosed() { m_EndsProgram = true; }

    bool IsLoaded() const { return hWnd() != nullptr; }
    TextView Name() const { return m_Design.Name; }
    const FormDesign& Design() const { return m_Design; }
    int Dpi() const { return m_Dpi; }
    Control& Controls(int id, int16_t index = kNoIndex);
    std::span<Control> AllControls() { return m_Controls; }
    // The ordinary tooltips of the controls. Nobody sees one before the pointer has rested on
    // a control, so they are made once the window is on screen (or when asked for here).
    HWND ControlToolTipWindow();
    // Work that nothing on screen needs yet, run once the shown window has been painted and
    // the queue is empty: the window appears and answers input without waiting for it.
    void AfterShown(void (*work)(Form&)) { m_AfterShown = work; }

    static Form* FromWindow(HWND window);
    // What a message box, a modal window or a shell launch opened now belongs to: the window of
    // the form whose event is running, whatever raised the event (a click, a key, a screen
    // reader), else the program's active window; nullptr when neither is the program's.
    static HWND OwnerWindow();

    // For the window's own controls and surfaces.
    void Raise(const Control& control, Event event, EventArgs args = {});
    void FocusControl(HWND control);
    // The keyboard's stops in tab order: the windowed controls that can take the focus, and
    // the windowless links (labels with a click).
    std::vector<Control*> TabStops();
    // The control with the keyboard focus, windowless or not; nullptr when none of them has it.
    Control* FocusedControl();
    // Tab and Shift+Tab among the tab stops; false when the message is not for that.
    bool OnTabKey(const MSG& message);
    // A window of the form took the focus: the button Enter would press there wears the default
    // frame, and only that one.
    void OnFocusChanged(HWND focus);
    // Gives the focus to a control, windowless or not, activating its window.
    void TakeFocus(Control& control);
    // Tells screen readers that a windowless control took the focus.
    void AnnounceFocus(const Control& control);
    // The surface object of the form or of one of its picture boxes.
    Surface& SurfaceOf(HWND window);
    Control* ControlOfWindow(HWND window);
    bool Handles(int control, Event event) const;
    // WM_GETOBJECT, asked of one of the window's surfaces or windowed controls.
    LRESULT AnswerGetObject(HWND window, Control* control, WPARAM wParam, LPARAM lParam)
    {
        return m_Accessibles.Answer(*this, window, control, wParam, lParam);
    }

    // The one instance of a form class, created on first use; its Initialize event runs then.
    template <typename T> static T& Instance()
    {
        static T instance;
        static const bool initialized = (instance.RunEvent(kForm, Event::Initialize, {}), true);
        (void)initialized;
        return instance;
    }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcDestroy() override;
    void OnActivate(bool active, bool minimized);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void ColoursChanging();
    void OnColoursChanged();
    void RunEvent(int control, Event event, const EventArgs& args);
    void CreateControls();
    HWND ContainerWindowOf(const Control& control);
    void InstallDesignedIcon();
    void FocusFirstControl();
    void FocusOn(Control& control);
    static constexpr UINT_PTR kAfterShownTimer = 1;
    static BOOL CALLBACK DisableForModal(HWND window, LPARAM modal);
    void EnableDisabledWindows();
    void ArmAfterShown();
    void RunAfterShown();

    const FormDesign& m_Design;
    std::span<const EventRow> m_Events;
    std::vector<Control> m_Controls;
    std::vector<std::unique_ptr<PictureBox>> m_PictureBoxes;
    LayoutResources m_Layout;
    ControlToolTips m_ToolTips;
    AccessibleObjects m_Accessibles;
    void (*m_AfterShown)(Form&) = nullptr;
    HWND m_LastFocus = nullptr;
    std::vector<HWND> m_DisabledByModal;
    int m_Dpi = 96;
    int m_EventDepth = 0;
    bool m_UnloadPending = false;
    bool m_ColoursChanging = false; // the change is posted, to be followed once
    bool m_Modal = false;
    bool m_EndsProgram = false;
    static inline Form* s_Running = nullptr; // the form whose event runs, the innermost
};
