#include "examples/frmInfo.h"

#include <utility>

#include "examples/ExampleVocabulary.h"
#include "links/Addresses.h"
#include "links/WebLinks.h"
#include "resources/EmbeddedData.h"

namespace {

using enum frmInfo::ControlId;

constexpr FontDesign kCategoryFont{L"MS Sans Serif", 825, false, true};
constexpr FontDesign kWindowFont{L"MS Sans Serif", 825};
constexpr int32_t kBlue = Rgb(0, 0, 255);

// Earlier rows lie on top: where two category boxes overlap, the higher index gets the click.
// clang-format off
constexpr ControlDesign kControls[] = {
    {.Id = List1, .Name = u"List1", .Kind = ControlKind::ListBox,
     .Left = 90, .Top = 1230, .Width = 2820, .Height = 3375, .TabIndex = 0, .AccessibleName = u"Esempi"},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 14, .Caption = u"Veicoli",
     .Left = 1065, .Top = 855, .Width = 465, .Height = 195, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 15, .AutoSize = true},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 13, .Caption = u"TV",
     .Left = 765, .Top = 855, .Width = 210, .Height = 195, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 14, .AutoSize = true},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 12, .Caption = u"Attrezzi",
     .Left = 180, .Top = 855, .Width = 510, .Height = 195, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 13, .AutoSize = true},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 11, .Caption = u"Persone/Sport",
     .Left = 1800, .Top = 630, .Width = 1035, .Height = 195, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 12, .AutoSize = true},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 10, .Caption = u"Ufficio",
     .Left = 1290, .Top = 630, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 11},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 9, .Caption = u"Rumori",
     .Left = 735, .Top = 615, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 10},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 8, .Caption = u"Natura",
     .Left = 180, .Top = 615, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 9},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 7, .Caption = u"Strumenti musicali",
     .Left = 1785, .Top = 375, .Width = 1260, .Height = 195, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 8, .AutoSize = true},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 6, .Caption = u"Varie",
     .Left = 1320, .Top = 375, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 7},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 5, .Caption = u"Guerra",
     .Left = 720, .Top = 375, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 6},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 4, .Caption = u"Insetti",
     .Left = 180, .Top = 360, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 5},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 3, .Caption = u"Famiglia",
     .Left = 1755, .Top = 150, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 4},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 2, .Caption = u"Feste",
     .Left = 1305, .Top = 150, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 3},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 1, .Caption = u"Animali",
     .Left = 750, .Top = 150, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 2},
    {.Id = Voci, .Name = u"Voci", .Kind = ControlKind::Label, .Index = 0, .Caption = u"Uccelli",
     .Left = 180, .Top = 135, .Width = 630, .Height = 210, .Font = &kCategoryFont, .ForeColour = kBlue, .TabIndex = 1},
    {.Id = Image6, .Name = u"Image6", .Kind = ControlKind::Image,
     .Left = 435, .Top = 4620, .Width = 2145, .Height = 930, .ToolTip = u"Doppio click per accedere al sito",
     .Picture = &ExamplesBannerJpeg},
};
// clang-format on

constexpr FormDesign kDesign{u"frmInfo", u"Info Sul Programma", 3075, 5595,
                             /*MinButton*/ false, /*IconResource*/ 0, &ExamplesIcon, &kWindowFont,
                             /*InitialFocus: by tab order*/ -1, kControls};

} // namespace

const EventRow frmInfo::kEvents[] = {
    {Voci, Event::Click, Handle<&frmInfo::Voci_Click>},
    {List1, Event::Click, Handle<&frmInfo::List1_Click>},
    {Image6, Event::DblClick, Handle<&frmInfo::Image6_DblClick>},
};

frmInfo::frmInfo() : Form(kDesign, kEvents) {}

void frmInfo::Voci_Click(int16_t Index)
{
    Control& list = Controls(List1);
    list.Clear();
    const Text category = Controls(Voci, Index).GetText();
    list.AddItems(ExampleWords(category));
    list.SetAccessibleName(category);
}

std::optional<Text> frmInfo::ChooseExample()
{
    m_Chosen.reset();
    ShowModal();
    return std::exchange(m_Chosen, std::nullopt);
}

void frmInfo::List1_Click()
{
    m_Chosen = Controls(List1).GetText();
    Unload();
}

void frmInfo::Image6_DblClick() { OpenInBrowser(kSponsorAddress); }
