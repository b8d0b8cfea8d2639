#include "examples/frmInfo.h"

#include "app/Hosts.h"
#include "app/WebLinks.h"
#include "app/frmGoogleVideo.h"
#include "examples/ExampleVocabulary.h"
#include "resources/EmbeddedData.h"

namespace {

using enum frmInfo::ControlId;

constexpr FontDesign kCategoryFont{L"MS Sans Serif", 825, false, true};
constexpr FontDesign kWindowFont{L"MS Sans Serif", 825, false, false};
constexpr int32_t kBlue = Rgb(0, 0, 255);

constexpr ControlDesign Category(int16_t index, const char16_t* caption, int left, int top, int width, int height,
                                 bool fitsText)
{
    return {Voci, u"Voci", ControlKind::Label, index, caption, left, top, width, height, &kCategoryFont, kBlue,
            static_cast<int16_t>(index + 1), kOnForm, fitsText, nullptr, nullptr, nullptr};
}

// Earlier rows lie on top: where two category boxes overlap, the higher index gets the click.
// clang-format off
constexpr ControlDesign kControls[] = {
    {List1, u"List1", ControlKind::ListBox, kNoIndex, nullptr, 90, 1230, 2820, 3375, nullptr, kDefaultColour, 0,
     kOnForm, false, nullptr, nullptr, nullptr},
    Category(14, u"Veicoli",            1065, 855,  465, 195, true),
    Category(13, u"TV",                  765, 855,  210, 195, true),
    Category(12, u"Attrezzi",            180, 855,  510, 195, true),
    Category(11, u"Persone/Sport",      1800, 630, 1035, 195, true),
    Category(10, u"Ufficio",            1290, 630,  630, 210, false),
    Category( 9, u"Rumori",              735, 615,  630, 210, false),
    Category( 8, u"Natura",              180, 615,  630, 210, false),
    Category( 7, u"Strumenti musicali", 1785, 375, 1260, 195, true),
    Category( 6, u"Varie",              1320, 375,  630, 210, false),
    Category( 5, u"Guerra",              720, 375,  630, 210, false),
    Category( 4, u"Insetti",             180, 360,  630, 210, false),
    Category( 3, u"Famiglia",           1755, 150,  630, 210, false),
    Category( 2, u"Feste",              1305, 150,  630, 210, false),
    Category( 1, u"Animali",             750, 150,  630, 210, false),
    Category( 0, u"Uccelli",             180, 135,  630, 210, false),
    {Image6, u"Image6", ControlKind::Image, kNoIndex, nullptr, 435, 4620, 2145, 930, nullptr, kDefaultColour,
     kNoTabStop, kOnForm, false, nullptr, u"Doppio click per accedere al sito", &ExamplesBannerJpeg},
};
// clang-format on

constexpr FormDesign kDesign{u"frmInfo", u"Info Sul Programma", 3075, 5595,
                             /*MinButton*/ false, /*IconResource*/ 0, &ExamplesIcon, &kWindowFont,
                             /*InitialFocus: by tab order*/ -1, kControls};

} // namespace

frmInfo& frmInfo::Instance()
{
    static frmInfo instance;
    return instance;
}

frmInfo::frmInfo() : Form(kDesign) {}

void frmInfo::OnEvent(Control& control, FormEvent event, const EventArgs& /*args*/)
{
    if (control.Id() == Voci && event == FormEvent::Click)
        Voci_Click(control.Index());
    else if (control.Id() == List1 && event == FormEvent::Click)
        List1_Click();
    else if (control.Id() == Image6 && event == FormEvent::DblClick)
        Image6_DblClick();
}

void frmInfo::Voci_Click(int16_t Index)
{
    Control& list = Controls(List1);
    list.Clear();
    list.AddItems(ExampleWords(Controls(Voci, Index).GetText()));
}

void frmInfo::List1_Click()
{
    frmGoogleVideo::Instance().Controls(frmGoogleVideo::txtSearch).SetText(Controls(List1).GetText());
    Unload();
}

void frmInfo::Image6_DblClick() { ShellLaunch(SponsorAddress(kSponsorHost)); }
