#pragma once
// app/: the program's start and the search window, the start-up window of the program.
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "forms/Form.h"

class cToolTip;

class frmGoogleVideo final : public Form {
public:
    enum ControlId { Picture1, Command1, txtSearch, cmdSearch, Label2, Label1, Label3, Image1 };

    static frmGoogleVideo& Instance() { return Form::Instance<frmGoogleVideo>(); }

    void Command1_Click();
    void Label2_Click(int16_t Index);
    void txtSearch_KeyDown(int16_t KeyCode, int16_t Shift);
    void cmdSearch_Click();

    // Keeps the three balloon tips alive; nothing reads them but tests.
    using ToolTipEntry = std::pair<Text, std::shared_ptr<cToolTip>>;
    const std::optional<std::vector<ToolTipEntry>>& ToolTips() const { return colToolTips; }

private:
    friend class Form;
    frmGoogleVideo();
    void Form_Initialize();
    void Form_Load();
    void Form_DpiChanged();
    void Form_ColoursChanged();
    void InitToolTips();
    void RemakeToolTips();

    static const EventRow kEvents[];
    std::optional<std::vector<ToolTipEntry>> colToolTips;
};
