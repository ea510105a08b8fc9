#pragma once
// The modal boxes the window asks the user with. Texts are UTF-8; a line break
// inside a message is written "\r\n", as the program words all its messages.
#include <string>

enum class MessageIcon { Critical, Exclamation, Information };
// YesNoDefaultNo: Enter answers No, for a question whose Yes cannot be undone.
// SaveDiscardCancel: Enter answers Save, Escape Cancel.
enum class MessageButtons { OK, YesNo, YesNoDefaultNo, SaveDiscardCancel };
enum class MessageAnswer { OK, Yes, No, Save, Discard, Cancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box and returns the button the user chose. A box
    // closed without a choice answers No, or Cancel where it offers Cancel.
    virtual MessageAnswer MessageBox(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;

    // Shows a modal box asking for one line of text, pre-filled with
    // defaultAnswer. Cancelling gives empty text.
    virtual std::string InputBox(const std::string& prompt, const std::string& defaultAnswer) = 0;
};
