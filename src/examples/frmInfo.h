#pragma once
// examples/: the examples window, where the user picks a ready-made sound name for the search box.
#include <optional>

#include "forms/Form.h"

class frmInfo final : public Form {
public:
    enum ControlId { List1, Voci, Image6 };

    // The one instance, created on first use and kept after its window closes.
    static frmInfo& Instance() { return Form::Instance<frmInfo>(); }

    // Shows the window modally and returns the entry the user chose, or nothing when the
    // window was closed without a choice.
    std::optional<Text> ChooseExample();

    void Voci_Click(int16_t Index);
    void List1_Click();
    void Image6_DblClick();

private:
    friend class Form;
    frmInfo();

    static const EventRow kEvents[];
    std::optional<Text> m_Chosen;
};
