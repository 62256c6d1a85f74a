#include "app/frmVorlagenAuswahl.h"

namespace korvane {

void frmVorlagenAuswahl::Form_Load() {
    choice_ = 0;
    // The option button whose index equals the choice.
    if (view_) view_->selectOption(static_cast<int16_t>(choice_));
}

void frmVorlagenAuswahl::Option1_Click(int16_t Index) {
    choice_ = Index;  // widened, sign kept
}

void frmVorlagenAuswahl::cmdWeiter_Click() {
    // Hiding ends the modal display; the choice stays as it is.
    if (view_) view_->hide();
}

}  // namespace korvane
