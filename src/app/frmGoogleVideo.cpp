#include "app/frmGoogleVideo.h"

#include "app/Hosts.h"
#include "app/WebLinks.h"
#include "app/mXPManifest.h"
#include "examples/frmInfo.h"
#include "forms/RuntimeError.h"
#include "resources/EmbeddedData.h"
#include "tooltip/cToolTip.h"

namespace {

using enum frmGoogleVideo::ControlId;

constexpr FontDesign kSansBold{L"MS Sans Serif", 825, true, false};
constexpr FontDesign kSansBoldLarge{L"MS Sans Serif", 1200, true, false};
constexpr FontDesign kSansLink{L"MS Sans Serif", 825, false, true};
constexpr FontDesign kSansBoldLink{L"MS Sans Serif", 825, true, true};
constexpr FontDesign kArialNote{L"Arial", 675, true, false};
constexpr FontDesign kWindowFont{L"MS Sans Serif", 825, false, false};

constexpr int32_t kBlue = Rgb(0, 0, 255);
constexpr int32_t kGrey = Rgb(128, 128, 128);
constexpr int32_t kRed = Rgb(255, 0, 0);
constexpr const char16_t* kSponsorTip = u"entra nel mondo di " QUORVEL_SPONSOR_HOST;

// clang-format off
constexpr ControlDesign kControls[] = {
//   Id          Name          Kind                       Index      Caption
//   Left   Top  Width Height  Font            Colour           Tab  Container  AutoSize MouseIcon    ToolTip      Picture
    {Picture1,  u"Picture1",  ControlKind::PictureBox,    kNoIndex, nullptr,
       15,  -30, 6330, 3255,  nullptr,        kDefaultColour,   0,  kOnForm,   false, nullptr,     nullptr,     nullptr},
    {Command1,  u"Command1",  ControlKind::CommandButton, kNoIndex, u"...",
     3660, 1725,  600,  330,  &kSansBold,     kDefaultColour,   7,  Picture1,  false, nullptr,     nullptr,     nullptr},
    {txtSearch, u"txtSearch", ControlKind::TextBox,       kNoIndex, u"",
      420, 1725, 3210,  330,  &kSansBoldLarge, kDefaultColour,  2,  Picture1,  false, nullptr,     nullptr,     nullptr},
    {cmdSearch, u"cmdSearch", ControlKind::CommandButton, kNoIndex, u"&Cerca in rete",
     4305, 1725, 1545,  330,  &kSansBold,     kDefaultColour,   1,  Picture1,  false, nullptr,     nullptr,     nullptr},
    {Label2,    u"Label2",    ControlKind::Label,         3,        u"Quorvel home",
       60, 2715, 1200,  195,  &kSansLink,     kBlue,            9,  Picture1,  true,  &HandCursor, kSponsorTip, nullptr},
    {Label1,    u"Label1",    ControlKind::Label,         kNoIndex, u"Dide Quorvel by Ivo Marchetti",
     2910,   75, 3345,  210,  nullptr,        kGrey,            8,  Picture1,  false, nullptr,     nullptr,     nullptr},
    {Label2,    u"Label2",    ControlKind::Label,         2,        u"Info",
      105, 2250,  270,  195,  &kSansLink,     kBlue,            6,  Picture1,  true,  &HandCursor, kSponsorTip, nullptr},
    {Label2,    u"Label2",    ControlKind::Label,         0,        u"Chiudi",
     5385, 2715,  540,  195,  &kSansBoldLink, kBlue,            5,  Picture1,  true,  &HandCursor, u"Chiudi il programma", nullptr},
    {Label2,    u"Label2",    ControlKind::Label,         1,        u"thanks to Tavernix",
     1380, 2715, 1650,  195,  &kSansLink,     kBlue,            4,  Picture1,  true,  &HandCursor, kSponsorTip, nullptr},
    {Label3,    u"Label3",    ControlKind::Label,         kNoIndex, u"Note: inserire parte del file audio da trovare",
      405, 2085, 3495,  195,  &kArialNote,    kRed,             3,  Picture1,  false, nullptr,     nullptr,     nullptr},
    {Image1,    u"Image1",    ControlKind::Image,         kNoIndex, nullptr,
      -15,  -45, 6330, 3390,  nullptr,        kDefaultColour, kNoTabStop, Picture1, false, nullptr, nullptr,   &SearchBackgroundJpeg},
};
// clang-format on

constexpr FormDesign kDesign{
    u"frmGoogleVideo", u"Quorvel - tutti i file audio in rete :-)", 6225, 2910,
    /*MinButton*/ true, /*IconResource*/ 1, /*IconData*/ nullptr, &kWindowFont,
    /*InitialFocus: the window exists to be typed into*/ txtSearch, kControls};

struct BalloonTip {
    frmGoogleVideo::ControlId Control;
    const char16_t* Title;
    const char16_t* Text;
    int32_t BackColor;
};

constexpr BalloonTip kBalloonTips[] = {
    {txtSearch, u"Inserire il nome del suono di riferimento",
     u"Cerca la parola specificata in rete : | Inserire per intero o parzialmente il nome del suono da cercare",
     0xFFFFFF},
    {Command1, u"Esempi", u"Visualizza parole d'esempio|fare click su questo pulsante per mostrare gli esempi",
     0xFFFF},
    {cmdSearch, u"Query builder", u"Avvia Ricerca|-> cerca i suoni specificati in rete|", 0xFFFFFF},
};

} // namespace

frmGoogleVideo& frmGoogleVideo::Instance()
{
    static frmGoogleVideo instance;
    return instance;
}

frmGoogleVideo::frmGoogleVideo() : Form(kDesign) { Form_Initialize(); }

void frmGoogleVideo::Form_Initialize() { ApplyStartupSettings(); }

void frmGoogleVideo::Form_Load()
{
    InitToolTips();
    InstallWindowIcons(hWnd(), u"ICON_0", true);
}

void frmGoogleVideo::InitToolTips()
{
    for (const BalloonTip& tip : kBalloonTips) {
        auto toolTip = std::make_shared<cToolTip>();
        const Control& control = Controls(tip.Control);
        toolTip->Create(control, tip.Text, 0x41, false, 0, tip.Title, 0, tip.BackColor, 150, 10000);
        if (!colToolTips)
            colToolTips.emplace();
        for (const ToolTipEntry& entry : *colToolTips) {
            if (entry.first == control.Name())
                throw RuntimeError(kErrKeyAlreadyUsed, u"InitToolTips", u"Chiave gia' associata a un elemento");
        }
        colToolTips->emplace_back(Text(control.Name()), std::move(toolTip));
    }
}

void frmGoogleVideo::OnEvent(Control& control, FormEvent event, const EventArgs& args)
{
    switch (control.Id()) {
    case Command1:
        if (event == FormEvent::Click)
            Command1_Click();
        break;
    case cmdSearch:
        if (event == FormEvent::Click)
            cmdSearch_Click();
        break;
    case Label2:
        if (event == FormEvent::Click)
            Label2_Click(control.Index());
        break;
    case txtSearch:
        if (event == FormEvent::KeyDown)
            txtSearch_KeyDown(args.KeyCode, args.Shift);
        break;
    default:
        break;
    }
}

void frmGoogleVideo::Command1_Click() { frmInfo::Instance().ShowModal(); }

void frmGoogleVideo::Label2_Click(int16_t Index)
{
    if (Index == 0)
        ExitProcess(0); // at once: no window closes, nothing is torn down
    else if (Index == 1)
        ShellLaunch(SponsorAddress(kSponsorHost));
    else if (Index == 3)
        ShellLaunch(ServiceHomeAddress(kServiceHost));
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
        ShellLaunch(BuildSearchAddress(kServiceHost, searchText, SystemAnsiCodePage()));
    } catch (...) {
        throw RuntimeError(ErrorFromCurrentException().Number, u"cmdSearch_Click", u"Dide QV");
    }
}
