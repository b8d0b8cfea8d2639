#pragma once
// A window's design as data: one FormDesign per window, one ControlDesign row per control in the
// order the design lists them (earlier rows lie on top of later ones), and one EventRow per
// handler. Positions and sizes are in twips, 1440 to the inch, laid out at the window's DPI.
#include <cstdint>
#include <span>
#include <type_traits>

struct EmbeddedData;
class Form;

enum class ControlKind : uint8_t {
    PictureBox,    // a container: the controls that name it as Container lie inside it
    Image,         // a picture drawn into its box; drawn by its container, no window
    TextBox,       // single line, no length limit
    CommandButton, // caption with an optional & mnemonic
    Label,         // caption without background; drawn by its container, no window
    ListBox,       // not sorted, one selection
};

struct FontDesign {
    const wchar_t* Face;
    int PointsX100; // 825 for 8.25 pt
    bool Bold = false;
    bool Underline = false;
};

constexpr int32_t kDefaultColour = -1;
constexpr int32_t Rgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

constexpr int16_t kNoIndex = -1;   // not a member of a control array
constexpr int16_t kNoTabStop = -1; // never takes the focus
constexpr int kOnForm = -1;        // Container of a control placed directly on the window
constexpr int kNoButton = -1;      // DefaultButton of a control where Enter presses no button

struct ControlDesign {
    int Id; // the window's own control number; events name it
    const char16_t* Name;
    ControlKind Kind;
    int16_t Index = kNoIndex; // members of a control array share Id and Name
    const char16_t* Caption = nullptr;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    const FontDesign* Font = nullptr; // the window's default font
    int32_t ForeColour = kDefaultColour;
    int16_t TabIndex = kNoTabStop;
    int Container = kOnForm;               // Id of the PictureBox holding it
    bool AutoSize = false;                 // labels: fit the box to the caption
    const EmbeddedData* MouseIcon = nullptr; // custom cursor over the control
    const char16_t* ToolTip = nullptr;       // ordinary tooltip
    const EmbeddedData* Picture = nullptr;   // JPEG for an Image
    const char16_t* AccessibleName = nullptr; // what a screen reader calls it, where not its caption
    int DefaultButton = kNoButton; // Id of the button whose action Enter takes while this has the focus
};

struct FormDesign {
    const char16_t* Name;
    const char16_t* Caption;
    int ClientWidth, ClientHeight;
    bool MinButton;
    int IconResource;             // icon group id in the executable, or 0
    const EmbeddedData* IconData; // an .ico compiled into the program, or nullptr
    const FontDesign* DefaultFont;
    int InitialFocus; // Id of the control focused on opening, or -1 for the tab order
    std::span<const ControlDesign> Controls;
};

enum class Event : uint8_t { Initialize, Load, DpiChanged, ColoursChanged, Click, DblClick, KeyDown };

struct EventArgs {
    int16_t Index = kNoIndex;
    int16_t KeyCode = 0;
    int16_t Shift = 0; // 1 Shift, 2 Ctrl, 4 Alt
};

constexpr int kForm = -2; // EventRow.Control of the window's own events

// One handler: the control (by Id) and event it answers, and the handler itself, written as
// Handle<&frmX::Control_Event>. A handler takes no argument, the control array's Index, or the
// key-down's KeyCode and Shift.
struct EventRow {
    int Control;
    Event On;
    void (*Handler)(Form& form, const EventArgs& args);
};

namespace forms_detail {
template <typename> struct OwnerOf;
template <typename T, typename... Args> struct OwnerOf<void (T::*)(Args...)> {
    using Type = T;
};
} // namespace forms_detail

template <auto Handler> void Handle(Form& form, const EventArgs& args)
{
    using T = typename forms_detail::OwnerOf<decltype(Handler)>::Type;
    auto& self = static_cast<T&>(form);
    if constexpr (std::is_invocable_v<decltype(Handler), T&>)
        (self.*Handler)();
    else if constexpr (std::is_invocable_v<decltype(Handler), T&, int16_t>)
        (self.*Handler)(args.Index);
    else
        (self.*Handler)(args.KeyCode, args.Shift);
}
