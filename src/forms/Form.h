#pragma once
// forms/: the window layer, which builds the program's windows from their designs. A Form is a
// top-level window with its controls, events, modal showing and closing. Each window of the
// program is one class derived from Form, with one instance that outlives its on-screen window:
// closing discards the window and its controls, and the next showing builds them anew from the
// design.
#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "accessibility/Accessibility.h"
#include "forms/Control.h"
#include "forms/ControlHost.h"
#include "forms/ControlToolTips.h"
#include "forms/Design.h"
#include "forms/FormFocus.h"
#include "forms/Layout.h"
#include "forms/Modality.h"
#include "forms/Surface.h"

class Form : public ControlHost, public Surface {
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
    Control& Controls(int id, int16_t index = kNoIndex);
    // The ordinary tooltips of the controls. Nobody sees one before the pointer has rested on
    // a control, so they are made once the window is on screen (or when asked for here).
    HWND ControlToolTipWindow();
    // Work that nothing on screen needs yet, run once the shown window has been painted and
    // the queue is empty: the window appears and answers input without waiting for it.
    void AfterShown(void (*work)(Form&)) { m_AfterShown = work; }
    // The keyboard's stops in tab order.
    std::vector<Control*> TabStops() const { return m_Focus.TabStops(); }

    static Form* FromWindow(HWND window);
    // Tab among the tab stops, then the dialog keys (mnemonics, Escape, Enter on a button).
    bool PreTranslateMessage(MSG& message) override;
    // What a message box, a modal window or a shell launch opened now belongs to: the window of
    // the form whose event is running, whatever raised the event (a click, a key, a screen
    // reader), else the program's active window; nullptr when neither is the program's.
    static HWND OwnerWindow();

    // What the controls and the surfaces ask of their window.
    std::span<Control> AllControls() override { return m_Controls; }
    Control* ControlOfWindow(HWND window) override;
    const FontDesign& DefaultFont() const override { return *m_Design.DefaultFont; }
    int Dpi() const override { return m_Dpi; }
    bool Dark() const override { return m_Dark; }
    bool Handles(int control, Event event) const override;
    void Raise(const Control& control, Event event, EventArgs args = {}) override;
    Control* FocusedControl() override { return m_Focus.FocusedControl(hWnd()); }
    void FocusControl(HWND control) override { m_Focus.FocusControl(hWnd(), control); }
    void TakeFocus(Control& control) override { m_Focus.TakeFocus(control); }
    void OnFocusChanged(HWND focus) override { m_Focus.OnFocusChanged(focus); }
    LRESULT AnswerGetObject(HWND window, AccessibleElement& element, WPARAM wParam, LPARAM lParam) override
    {
        return m_Accessibles.Answer(element, window, wParam, lParam);
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
    void Relayout();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void ColoursChanging();
    void OnColoursChanged();
    void RunEvent(int control, Event event, const EventArgs& args);
    void CreateControls();
    HWND ContainerWindowOf(const Control& control);
    void InstallDesignedIcon();
    static constexpr UINT_PTR kAfterShownTimer = 1;
    // The form's own messages, clear of the controls' kAccessibleActionMessage.
    static constexpr UINT kUnloadMessage = WM_APP + 1;
    static constexpr UINT kColoursChangedMessage = WM_APP + 3;
    void ArmAfterShown();
    void RunAfterShown();

    const FormDesign& m_Design;
    std::span<const EventRow> m_Events;
    std::vector<Control> m_Controls;
    std::vector<std::unique_ptr<PictureBox>> m_PictureBoxes;
    LayoutResources m_Layout;
    ControlToolTips m_ToolTips;
    AccessibleObjects m_Accessibles;
    FormFocus m_Focus{*this};
    Modality m_Modality;
    void (*m_AfterShown)(Form&) = nullptr;
    int m_Dpi = 96;
    bool m_Dark = false;
    int m_EventDepth = 0;
    bool m_UnloadPending = false;
    bool m_ColoursChanging = false; // the change is posted, to be followed once
    bool m_Modal = false;
    bool m_EndsProgram = false;
    static inline Form* s_Running = nullptr; // the form whose event runs, the innermost
};

// A modal message box owned by Form::OwnerWindow(); returns the button that closed it. An
// auto-repeated Enter does not press its button: one press, one action.
int MsgBox(TextView prompt, UINT style, TextView title);
