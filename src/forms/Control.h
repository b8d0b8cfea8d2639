#pragma once
// One control of a loaded window. Labels and images have no window of their own: the surface
// they lie on draws them and tells their clicks apart, so hWnd() is null for them. A control is
// also the element a screen reader meets of it.
#include <windows.h>

#include <optional>
#include <span>

#include "accessibility/AccessibleElement.h"
#include "forms/ControlHost.h"
#include "forms/Design.h"
#include "platform/Text.h"

// Posted to the surface a control lies on by its default action: wParam is the control's place in
// the window's controls, lParam the event to raise. Raised from the message loop, not inside the
// screen reader's call.
constexpr UINT kAccessibleActionMessage = WM_APP + 2;

class Control;

// The order of the design's tab indexes, those without one (kNoTabStop) last; one comparison for
// every sort by it, so the program holds one sorting routine for them all.
bool InTabOrder(const Control* a, const Control* b);

class Control final : public AccessibleElement {
public:
    Control(ControlHost& host, const ControlDesign& design) : m_Host(&host), m_Design(&design) {}

    const ControlDesign& Design() const { return *m_Design; }
    int Id() const { return m_Design->Id; }
    TextView Name() const { return m_Design->Name; }
    int16_t Index() const { return m_Design->Index; }
    HWND hWnd() const { return m_hWnd; }
    HWND ContainerWindow() const { return m_ContainerWindow; } // the window it is placed on
    const RECT& Bounds() const { return m_Bounds; } // pixels, in the container's client area
    HFONT Font() const { return m_Font; }
    HCURSOR Cursor() const { return m_Cursor; } // nullptr: the arrow
    HBITMAP Picture() const { return m_Picture; } // an image's picture, drawn to its bounds
    // A picture with nothing to tell (a background): screen readers and high contrast leave it out.
    bool IsDecoration() const { return m_Design->Kind == ControlKind::Image && AccessibleName().empty(); }
    // Where a windowless control shows in its container: a label's caption as drawn (its box may
    // be wider), an image's box.
    RECT CaptionBounds() const;

    // A text box's text, a list's selected entry (empty when none), or a caption.
    Text GetText() const;
    void SetText(TextView text);
    // The focus, now if its window is active, or when the window is next activated; a text
    // box gets its caret at the end of its text.
    void SetFocus();

    // List boxes.
    void Clear();
    // Appends the entries in order, drawing the list once at the end.
    void AddItems(std::span<const TextView> items);
    int ListCount() const;
    Text List(int index) const;
    int ListIndex() const;

    // What the control does when clicked, if anything: a click, or a double-click. A label with a
    // click is a link.
    std::optional<Event> Action() const;
    bool IsLink() const { return m_Design->Kind == ControlKind::Label && Action() == Event::Click; }

    // What a screen reader announces: the designed name, the caption without its mnemonic, or
    // what the program set.
    Text AccessibleName() const override;
    // Screen readers are told when a windowed control's name changes.
    void SetAccessibleName(TextView name);
    Text AccessibleDescription() const override { return m_AccessibleDescription; }
    void SetAccessibleDescription(TextView description) { m_AccessibleDescription = description; }
    HWND AccessibleWindow() const override { return m_hWnd; }
    LONG AccessibleRole() const override;
    LONG AccessibleState() const override;
    RECT AccessibleLocation() const override;
    // A windowless control's click or double-click, a button's click.
    Text AccessibleAction() const override;
    bool DoAccessibleAction() override;
    // Links and the windowed controls take the keyboard focus; plain labels and pictures never do.
    bool TakeAccessibleFocus() override;

private:
    friend class Form;
    friend struct LayoutResources;
    void CreateWindowIn(HWND container, UINT_PTR id);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR control);
    LRESULT OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnTextBoxMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnListBoxMessage(UINT message, WPARAM wParam, LPARAM lParam);

    ControlHost* m_Host;
    const ControlDesign* m_Design;
    HWND m_hWnd = nullptr;
    HWND m_ContainerWindow = nullptr;
    RECT m_Bounds{};
    Text m_Caption;
    HFONT m_Font = nullptr;
    HBITMAP m_Picture = nullptr;
    HCURSOR m_Cursor = nullptr;
    Text m_AccessibleName;
    Text m_AccessibleDescription;
    int m_PressedEntry = -1; // the list entry the mouse button went down on
};
