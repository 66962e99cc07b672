#pragma once
// Alt and a letter underlined in a caption act on that control, as in the system's dialogs: a button
// is pressed, a check box toggled, and a label hands the focus to the control it names.

#include <string>

namespace quillet::ui {

class TForm;

// The letter a caption underlines ("&Desktop" gives 'D', "&&" underlines nothing), in upper case;
// 0 when there is none.
char MnemonicOf(const std::string& caption);

// Acts on the first visible, enabled control of the form whose caption underlines `key`. True when
// one took it.
bool HandleMnemonic(TForm& form, char key);

}  // namespace quillet::ui
