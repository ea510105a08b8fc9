#pragma once
#include "support/Dialogs.h"

// Message and input boxes titled with the application title, modal to and
// centred over the active window. Texts are shown as plain text, so a file
// name holding "<" or "&" appears as typed.
class QtDialogs : public Dialogs {
public:
    MessageAnswer MessageBox(const std::string& text, MessageIcon icon, MessageButtons buttons) override;
    std::string InputBox(const std::string& prompt, const std::string& defaultAnswer) override;
};
