#pragma once
// A window's design as data: one FormDesign per window, one ControlDesign row per control, in
// the order the design lists them (earlier rows lie on top of later ones). Positions and
// sizes are in twips, 1440 to the inch, turned into pixels at the screen's real DPI.
#include <cstdint>
#include <span>

struct EmbeddedData;

enum class ControlKind : uint8_t {
    PictureBox,    // a container: the controls that name it as Container lie inside it
    Image,         // a picture at its natural size; drawn by its container, no window
    TextBox,       // single line, no length limit
    CommandButton, // caption with an optional & mnemonic
    Label,         // caption without background; drawn by its container, no window
    ListBox,       // not sorted, one selection
};

struct FontDesign {
    const wchar_t* Face;
    int PointsX100; // 825 for 8.25 pt
    bool Bold;
    bool Underline;
};

constexpr int32_t kDefaultColour = -1;
constexpr int32_t Rgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

constexpr int16_t kNoIndex = -1;    // not a member of a control array
constexpr int16_t kNoTabStop = -1;  // never takes the focus
constexpr int kOnForm = -1;         // Container of a control placed directly on the window

struct ControlDesign {
    int Id;                  // the window's own control number; handlers switch on it
    const char16_t* Name;
    ControlKind Kind;
    int16_t Index;
    const char16_t* Caption;
    int Left, Top, Width, Height;
    const FontDesign* Font;  // nullptr: the window's default font
    int32_t ForeColour;      // 0x00BBGGRR, or kDefaultColour
    int16_t TabIndex;
    int Container;           // Id of the PictureBox holding it, or kOnForm
    bool AutoSize;           // labels: fit the box to the caption
    const EmbeddedData* MouseIcon; // custom cursor over the control, or nullptr for the arrow
    const char16_t* ToolTip;       // ordinary tooltip, or nullptr
    const EmbeddedData* Picture;   // JPEG for PictureBox and Image
};

struct FormDesign {
    const char16_t* Name;
    const char16_t* Caption;
    int ClientWidth, ClientHeight;
    bool MinButton;
    int IconResource;               // icon group id in the executable, or 0
    const EmbeddedData* IconData;   // an .ico compiled into the program, or nullptr
    const FontDesign* DefaultFont;
    int InitialFocus;               // Id of the control focused on opening, or -1 for the tab order
    std::span<const ControlDesign> Controls;
};
