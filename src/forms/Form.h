#pragma once
// A top-level window built from its design, with its controls, events, modal showing and
// closing. Each window of the program is one class derived from Form, with one instance that
// outlives its on-screen window: closing discards the window and its controls, and the next
// showing builds them anew from the design.
#include <windows.h>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "forms/Design.h"
#include "forms/Handles.h"
#include "forms/Text.h"

class Form;

enum class FormEvent : uint8_t { Click, DblClick, KeyDown };

struct EventArgs {
    int16_t KeyCode = 0;
    int16_t Shift = 0; // 1 Shift, 2 Ctrl, 4 Alt
};

// One control of a loaded window. Labels and images have no window of their own: their
// container draws them and tells their clicks apart, so hWnd() is null for them.
class Control {
public:
    Control(Form& form, const ControlDesign& design) : m_Form(&form), m_Design(&design) {}

    const ControlDesign& Design() const { return *m_Design; }
    int Id() const { return m_Design->Id; }
    TextView Name() const { return m_Design->Name; }
    int16_t Index() const { return m_Design->Index; }
    HWND hWnd() const { return m_hWnd; }
    const RECT& Bounds() const { return m_Bounds; } // pixels, in the container's client area
    HFONT Font() const { return m_Font; }
    HCURSOR Cursor() const { return m_Cursor; }

    // A text box's text, a list's selected entry (empty when none), or a caption.
    Text GetText() const;
    void SetText(TextView text);

    // List boxes.
    void Clear();
    void AddItem(TextView item);
    // Appends the entries in order, drawing the list once at the end.
    void AddItems(std::span<const TextView> items);
    int ListCount() const;
    Text List(int index) const;
    int ListIndex() const;

private:
    friend class Form;
    Form* m_Form;
    const ControlDesign* m_Design;
    HWND m_hWnd = nullptr;
    HWND m_ContainerWindow = nullptr;
    RECT m_Bounds{};
    Text m_Caption;
    HFONT m_Font = nullptr;
    HBITMAP m_Picture = nullptr;
    HCURSOR m_Cursor = nullptr;
};

class Form {
public:
    explicit Form(const FormDesign& design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Builds the window and its controls from the design, then raises Form_Load.
    void Load(HWND owner = nullptr);
    void Show();
    // Shows the window with every other window of the program disabled and returns when it
    // has closed.
    void ShowModal();
    // Closes the window, discarding its controls. From inside one of its own events the window
    // goes once that event's message has been handled.
    void Unload();
    // The message loop ends when this window closes.
    void EndProgramWhenClosed() { m_EndsProgram = true; }

    bool IsLoaded() const { return m_hWnd != nullptr; }
    HWND hWnd() const { return m_hWnd; }
    TextView Name() const { return m_Design.Name; }
    const FormDesign& Design() const { return m_Design; }
    Control& Controls(int id, int16_t index = kNoIndex);
    std::span<Control> AllControls() { return m_Controls; }
    // The ordinary tooltips of the controls. They are only needed once the pointer moves over
    // the window, so they are made then (or when asked for here), not while the window opens.
    HWND ControlToolTipWindow();

    static Form* FromWindow(HWND window);

protected:
    virtual void Form_Load() {}
    virtual void OnEvent(Control& control, FormEvent event, const EventArgs& args) = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK DisableForModal(HWND window, LPARAM modal);
    static LRESULT CALLBACK TextBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR form);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleTextBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void BuildControls(int dpi);
    HWND ContainerWindowOf(const Control& control);
    void CreateControlWindow(Control& control);
    void AddControlToolTips();
    HFONT FontFor(const FontDesign* font, int dpi);
    HCURSOR CursorFor(const EmbeddedData* data);
    void Paint(HWND container, HDC dc);
    Control* WindowlessAt(HWND container, POINT point);
    Control* ControlOfWindow(HWND window);
    void Raise(Control& control, FormEvent event, const EventArgs& args = {});
    void FocusInitialControl();
    void Discard();

    const FormDesign& m_Design;
    HWND m_hWnd = nullptr;
    HWND m_ToolTips = nullptr;
    HWND m_LastFocus = nullptr;
    std::vector<Control> m_Controls;
    std::vector<std::pair<const FontDesign*, ScopedGdiObject>> m_Fonts;
    std::vector<ScopedGdiObject> m_Pictures;
    std::vector<std::pair<const EmbeddedData*, ScopedCursor>> m_Cursors;
    ScopedIcon m_Icon;
    std::vector<HWND> m_DisabledByModal;
    Control* m_Pressed = nullptr;
    int m_EventDepth = 0;
    bool m_EndsProgram = false;
    bool m_ControlToolTipsMade = false;
};

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The program's own module (the executable).
inline HINSTANCE ProgramInstance()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

// Runs the message loop until the window marked with EndProgramWhenClosed closes.
int RunMessageLoop();

// Hands one message to its window, letting the window it belongs to handle its keyboard
// navigation (Tab, mnemonics) the way a dialog does.
void DeliverMessage(MSG& message);

// Takes one message from the queue and hands it on; false when the queue says quit.
bool PumpMessage();

// A modal message box over the active window; returns the button that closed it.
int MsgBox(TextView prompt, UINT style, TextView title);
