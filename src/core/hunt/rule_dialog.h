// The rule dialog "Ange regel": the interval of one rule row, exchanged with the rule table through
// RuleDialogRow, RuleDialogFrom and RuleDialogTo.
#pragma once

namespace vildo {

struct SeasonState;

class TRegelform {
public:
    static constexpr const char* kCaption = "Ange regel";
    static constexpr const char* kPrompt = "Ange inom vilket intervall regeln ska gälla.";
    static constexpr const char* kFromCaption = "Från och med";
    static constexpr const char* kToCaption = "Till och med";
    static constexpr const char* kSaveCaption = "Spara";
    static constexpr int kFromItems = 20;  // ComboBox1 lists "1".."20"
    static constexpr int kToItems = 21;    // ComboBox2 lists "1".."21"

    explicit TRegelform(SeasonState& app) : app_(app) {}

    int ComboBox1Index = -1;  // the from item
    int ComboBox2Index = -1;  // the to item
    bool open = true;

    // Shows the row's interval as it stands.
    void FormActivate();
    // The user picked a to item.
    void ComboBox2Change();
    // "Spara": hands the interval back and closes, unless it ends before it starts.
    void Button1Click();

private:
    bool correctedOrder();
    SeasonState& app_;
};

}  // namespace vildo
