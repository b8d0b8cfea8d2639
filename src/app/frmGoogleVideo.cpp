#include "app/frmGoogleVideo.h"

#include <commctrl.h>

#include "app/ProgramInfo.h"
#include "app/mXPManifest.h"
#include "display/Colours.h"
#include "display/DarkMode.h"
#include "examples/frmInfo.h"
#include "forms/MessageLoop.h"
#include "links/Addresses.h"
#include "links/WebLinks.h"
#include "platform/RuntimeError.h"
#include "resources/EmbeddedData.h"
#include "tooltip/cToolTip.h"

namespace {

using enum frmGoogleVideo::ControlId;

constexpr FontDesign kSansBold{L"MS Sans Serif", 825, true};
constexpr FontDesign kSansBoldLarge{L"MS Sans Serif", 1200, true};
constexpr FontDesign kSansLink{L"MS Sans Serif", 825, false, true};
constexpr FontDesign kSansBoldLink{L"MS Sans Serif", 825, true, true};
constexpr FontDesign kArialNote{L"Arial", 675, true};
constexpr FontDesign kWindowFont{L"MS Sans Serif", 825};

constexpr int32_t kBlue = Rgb(0, 0, 255);
constexpr int32_t kGrey = Rgb(128, 128, 128);
constexpr int32_t kRed = Rgb(255, 0, 0);
constexpr const char16_t* kSponsorTip = u"entra nel mondo di " QUORVEL_SPONSOR_SITE;
constexpr const char16_t* kSearchBoxTitle = u"Inserire il nome del suono di riferimento";
constexpr const char16_t* kExamplesTitle = u"Esempi";

// clang-format off
constexpr ControlDesign kControls[] = {
    {.Id = Picture1, .Name = u"Picture1", .Kind = ControlKind::PictureBox,
     .Left = 15, .Top = -30, .Width = 6330, .Height = 3255, .TabIndex = 0, .AccessibleName = u"Ricerca"},
    {.Id = Command1, .Name = u"Command1", .Kind = ControlKind::CommandButton, .Caption = u"...",
     .Left = 3660, .Top = 1725, .Width = 600, .Height = 330, .Font = &kSansBold, .TabIndex = 7, .Container = Picture1,
     .AccessibleName = kExamplesTitle},
    {.Id = txtSearch, .Name = u"txtSearch", .Kind = ControlKind::TextBox, .Caption = u"",
     .Left = 420, .Top = 1725, .Width = 3210, .Height = 330, .Font = &kSansBoldLarge, .TabIndex = 2,
     .Container = Picture1, .AccessibleName = kSearchBoxTitle, .DefaultButton = cmdSearch},
    {.Id = cmdSearch, .Name = u"cmdSearch", .Kind = ControlKind::CommandButton, .Caption = u"&Cerca in rete",
     .Left = 4305, .Top = 1725, .Width = 1545, .Height = 330, .Font = &kSansBold, .TabIndex = 1, .Container = Picture1},
    {.Id = Label2, .Name = u"Label2", .Kind = ControlKind::Label, .Index = 3, .Caption = u"Quorvel home",
     .Left = 60, .Top = 2715, .Width = 1200, .Height = 195, .Font = &kSansLink, .ForeColour = kBlue, .TabIndex = 9,
     .Container = Picture1, .AutoSize = true, .MouseIcon = &HandCursor, .ToolTip = kSponsorTip},
    {.Id = Label1, .Name = u"Label1", .Kind = ControlKind::Label, .Caption = u"Dide Quorvel by Ivo Marchetti",
     .Left = 2910, .Top = 75, .Width = 3345, .Height = 210, .ForeColour = kGrey, .TabIndex = 8, .Container = Picture1},
    {.Id = Label2, .Name = u"Label2", .Kind = ControlKind::Label, .Index = 2, .Caption = u"Info",
     .Left = 105, .Top = 2250, .Width = 270, .Height = 195, .Font = &kSansLink, .ForeColour = kBlue, .TabIndex = 6,
     .Container = Picture1, .AutoSize = true, .MouseIcon = &HandCursor, .ToolTip = kSponsorTip},
    {.Id = Label2, .Name = u"Label2", .Kind = ControlKind::Label, .Index = 0, .Caption = u"Chiudi",
     .Left = 5385, .Top = 2715, .Width = 540, .Height = 195, .Font = &kSansBoldLink, .ForeColour = kBlue,
     .TabIndex = 5, .Container = Picture1, .AutoSize = true, .MouseIcon = &HandCursor,
     .ToolTip = u"Chiudi il programma"},
    {.Id = Label2, .Name = u"Label2", .Kind = ControlKind::Label, .Index = 1, .Caption = u"thanks to Tavernix",
     .Left = 1380, .Top = 2715, .Width = 1650, .Height = 195, .Font = &kSansLink, .ForeColour = kBlue, .TabIndex = 4,
     .Container = Picture1, .AutoSize = true, .MouseIcon = &HandCursor, .ToolTip = kSponsorTip},
    {.Id = Label3, .Name = u"Label3", .Kind = ControlKind::Label,
     .Caption = u"Note: inserire parte del file audio da trovare",
     .Left = 405, .Top = 2085, .Width = 3495, .Height = 195, .Font = &kArialNote, .ForeColour = kRed, .TabIndex = 3,
     .Container = Picture1},
    {.Id = Image1, .Name = u"Image1", .Kind = ControlKind::Image,
     .Left = -15, .Top = -45, .Width = 6330, .Height = 3390, .Container = Picture1, .Picture = &SearchBackgroundJpeg},
};
// clang-format on

// The designed icon (group 1) is not installed: it was only ever replaced with "ICON_0" before
// anyone could see it. Until "ICON_0" is installed, right after the first paint, the window
// shows the program's icon through its class, which is that same picture.
constexpr FormDesign kDesign{
    u"frmGoogleVideo", u"Quorvel - tutti i file audio in rete :-)", 6225, 2910,
    /*MinButton*/ true, /*IconResource*/ 0, /*IconData*/ nullptr, &kWindowFont,
    /*InitialFocus: the window exists to be typed into*/ txtSearch, kControls};

// Every argument of cToolTip::Create, one balloon per row.
struct BalloonTip {
    frmGoogleVideo::ControlId Control;
    const char16_t* Text;
    int32_t Style;
    bool Centered;
    int32_t Icon;
    const char16_t* Title;
    int32_t ForeColor;
    int32_t BackColor;
    int32_t HoverTime;
    int32_t PopupTime;
};

constexpr int32_t kAlwaysBalloon = TTS_BALLOON | TTS_ALWAYSTIP; // shown also while the window is inactive
constexpr int32_t kHoverMilliseconds = 150;
constexpr int32_t kPopupMilliseconds = 10000;

constexpr BalloonTip kBalloonTips[] = {
    {txtSearch,
     u"Cerca la parola specificata in rete : | Inserire per intero o parzialmente il nome del suono da cercare",
     kAlwaysBalloon, false, TTI_NONE, kSearchBoxTitle, Rgb(0, 0, 0), Rgb(255, 255, 255), kHoverMilliseconds,
     kPopupMilliseconds},
    {Command1, u"Visualizza parole d'esempio|fare click su questo pulsante per mostrare gli esempi", kAlwaysBalloon,
     false, TTI_NONE, kExamplesTitle, Rgb(0, 0, 0), Rgb(255, 255, 0), kHoverMilliseconds, kPopupMilliseconds},
    {cmdSearch, u"Avvia Ricerca|-> cerca i suoni specificati in rete|", kAlwaysBalloon, false, TTI_NONE,
     u"Query builder", Rgb(0, 0, 0), Rgb(255, 255, 255), kHoverMilliseconds, kPopupMilliseconds},
};

void CreateBalloon(cToolTip& tip, const BalloonTip& row, const Control& control, bool dark)
{
    // In high contrast the balloons wear the system's tooltip colours, as every tooltip does; in
    // dark mode, the dark ones of the fields.
    constexpr int32_t kSystemColour = static_cast<int32_t>(0x80000000);
    const bool system = HighContrast();
    const int32_t fore = system ? kSystemColour | COLOR_INFOTEXT : dark ? static_cast<int32_t>(kDarkText) : row.ForeColor;
    const int32_t back = system ? kSystemColour | COLOR_INFOBK : dark ? static_cast<int32_t>(kDarkField) : row.BackColor;
    tip.Create(control, row.Text, row.Style, row.Centered, row.Icon, row.Title, fore, back, row.HoverTime, row.PopupTime);
    if (dark)
        FollowDarkModeInControl(tip.hWnd(), true);
}

} // namespace

const EventRow frmGoogleVideo::kEvents[] = {
    {kForm, Event::Initialize, Handle<&frmGoogleVideo::Form_Initialize>},
    {kForm, Event::Load, Handle<&frmGoogleVideo::Form_Load>},
    {kForm, Event::DpiChanged, Handle<&frmGoogleVideo::Form_DpiChanged>},
    {kForm, Event::ColoursChanged, Handle<&frmGoogleVideo::Form_ColoursChanged>},
    {Command1, Event::Click, Handle<&frmGoogleVideo::Command1_Click>},
    {Label2, Event::Click, Handle<&frmGoogleVideo::Label2_Click>},
    {txtSearch, Event::KeyDown, Handle<&frmGoogleVideo::txtSearch_KeyDown>},
    {cmdSearch, Event::Click, Handle<&frmGoogleVideo::cmdSearch_Click>},
};

frmGoogleVideo::frmGoogleVideo() : Form(kDesign, kEvents) {}

void frmGoogleVideo::Form_Initialize() { ApplyStartupSettings(); }

void frmGoogleVideo::Form_Load()
{
    // A screen reader may read a control as soon as it exists: its description, the balloon's
    // text, comes with it.
    for (const BalloonTip& row : kBalloonTips)
        Controls(row.Control).SetAccessibleDescription(TipText(row.Text, row.Title));
    // The balloons are needed once the pointer has rested on a control, the icons once the
    // window is on screen: made right after its first paint, the window appears sooner.
    AfterShown([](Form& form) {
        auto& self = static_cast<frmGoogleVideo&>(form);
        self.InitToolTips();
        InstallWindowIcons(self.hWnd(), u"ICON_0", true);
    });
}

void frmGoogleVideo::Form_DpiChanged()
{
    // The balloons measure their controls when they are made: made again at the new size
    // (unless they are still to be made, at the scale of that moment).
    RemakeToolTips();
    InstallWindowIcons(hWnd(), u"ICON_0", true);
}

void frmGoogleVideo::Form_ColoursChanged() { RemakeToolTips(); }

void frmGoogleVideo::RemakeToolTips()
{
    for (size_t i = 0; colToolTips && i < colToolTips->size(); ++i)
        CreateBalloon(*(*colToolTips)[i].second, kBalloonTips[i], Controls(kBalloonTips[i].Control), Dark());
}

void frmGoogleVideo::InitToolTips()
{
    for (const BalloonTip& row : kBalloonTips) {
        auto toolTip = std::make_shared<cToolTip>();
        Control& control = Controls(row.Control);
        CreateBalloon(*toolTip, row, control, Dark());
        if (!colToolTips)
            colToolTips.emplace();
        for (const ToolTipEntry& entry : *colToolTips) {
            if (entry.first == control.Name())
                throw RuntimeError(kErrKeyAlreadyUsed, u"InitToolTips", u"Chiave gia' associata a un elemento");
        }
        colToolTips->emplace_back(Text(control.Name()), std::move(toolTip));
    }
}

void frmGoogleVideo::Command1_Click()
{
    if (const std::optional<Text> word = frmInfo::Instance().ChooseExample()) {
        Control& box = Controls(txtSearch);
        box.SetText(*word);
        box.SetFocus(); // the word is there to be searched: Enter does it
    }
}

void frmGoogleVideo::Label2_Click(int16_t Index)
{
    if (Index == 0)
        ExitProcess(0); // at once: no window closes, nothing is torn down
    else if (Index == 1)
        OpenInBrowser(kSponsorAddress);
    else if (Index == 2)
        MsgBox(ProgramInfoText(), MB_ICONINFORMATION | MB_OK, u"Dide Quorvel");
    else if (Index == 3)
        OpenInBrowser(kHomeAddress);
}

void frmGoogleVideo::txtSearch_KeyDown(int16_t KeyCode, int16_t /*Shift*/)
{
    if (KeyCode == 13)
        cmdSearch_Click();
}

void frmGoogleVideo::cmdSearch_Click()
{
    try {
        const Text searchText = Controls(txtSearch).GetText();
        if (IsBlankSearch(searchText)) {
            MsgBox(u"Nessuna parola inserita per la ricerca", MB_ICONEXCLAMATION | MB_OK, u"Dide QV");
            return;
        }
        const std::string address = BuildSearchAddress(kSearchAddress, searchText, SystemAnsiCodePage());
        if (address.size() > kLongestShellAddress) {
            MsgBox(u"Testo troppo lungo per la ricerca", MB_ICONEXCLAMATION | MB_OK, u"Dide QV");
            return;
        }
        OpenInBrowser(address);
    } catch (...) {
        throw RuntimeError(ErrorFromCurrentException().Number, u"cmdSearch_Click", u"Dide QV");
    }
}
