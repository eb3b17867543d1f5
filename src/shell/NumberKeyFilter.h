#pragma once

class QLineEdit;

namespace pivlo {

// A number box drops typed characters other than digits, backspace and, where allowed,
// the full stop. Editing keys (arrows, delete, shortcuts) pass.
void FilterNumberKeys(QLineEdit* box, bool allow_full_stop);

}  // namespace pivlo
