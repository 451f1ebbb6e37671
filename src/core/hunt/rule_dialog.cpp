#include "hunt/rule_dialog.h"

#include <algorithm>

#include "hunt/season_state.h"

namespace vildo {

void TRegelform::FormActivate() {
    int row = app_.RuleDialogRow;
    if (row >= 1 && row <= 4) {
        ComboBox1Index = app_.Rules[row].from - 1;
        ComboBox2Index = app_.Rules[row].to - 1;
    }
    // A bound never set (0) shows the first item; a combo box cannot show an item it does not have.
    ComboBox1Index = std::clamp(ComboBox1Index, 0, kFromItems - 1);
    ComboBox2Index = std::clamp(ComboBox2Index, 0, kToItems - 1);
}

bool TRegelform::correctedOrder() {
    if (ComboBox2Index >= ComboBox1Index) return false;
    ComboBox2Index = ComboBox1Index;
    app_.prompts->message("TILL-datum kan inte vara före FRÅN-datum!");
    return true;
}

void TRegelform::ComboBox2Change() { correctedOrder(); }

void TRegelform::Button1Click() {
    if (correctedOrder()) return;
    app_.RuleDialogFrom = ComboBox1Index + 1;
    app_.RuleDialogTo = ComboBox2Index + 1;
    open = false;
}

}  // namespace vildo
