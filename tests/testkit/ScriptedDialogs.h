#pragma once
// Dialogs for tests: records every box in order and answers from a script the
// test queues beforehand. A box the script did not expect fails the test and
// is answered OK, No, Cancel or empty text, so nothing waits for a user. A step of the
// test can run while a message box is up.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "support/Dialogs.h"

struct DialogRecord {
    enum class Kind { Message, Input };
    Kind kind = Kind::Message;
    // Message boxes.
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::OK;
    // Input boxes.
    std::string prompt;
    std::string defaultAnswer;
};

class ScriptedDialogs : public Dialogs {
public:
    // Queues the answer to the next message box.
    void Answer(MessageAnswer answer) { script_.emplace_back(answer); }
    // Queues the text typed into the next input box ("" is a cancel).
    void Type(std::string text) { script_.emplace_back(std::move(text)); }
    // Lets message boxes with only an OK button pass without a scripted answer.
    void AcceptOkBoxes(bool accept = true) { acceptOkBoxes_ = accept; }
    // Runs as each message box shows, before it is answered.
    std::function<void()> whileShown;

    const std::vector<DialogRecord>& Records() const { return records_; }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const DialogRecord& record : records_)
            if (record.kind == DialogRecord::Kind::Message) texts.push_back(record.text);
        return texts;
    }

    MessageAnswer MessageBox(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
        if (whileShown) whileShown();
        records_.push_back({DialogRecord::Kind::Message, text, icon, buttons, {}, {}});
        const MessageAnswer fallback = buttons == MessageButtons::OK                  ? MessageAnswer::OK
                                       : buttons == MessageButtons::SaveDiscardCancel ? MessageAnswer::Cancel
                                                                                      : MessageAnswer::No;
        if (script_.empty() || !std::holds_alternative<MessageAnswer>(script_.front())) {
            if (!(acceptOkBoxes_ && buttons == MessageButtons::OK)) ADD_FAILURE() << "unscripted message box: " << text;
            return fallback;
        }
        const MessageAnswer answer = std::get<MessageAnswer>(script_.front());
        script_.pop_front();
        const bool fits = Offers(buttons, answer);
        EXPECT_TRUE(fits) << "scripted answer does not fit the buttons of: " << text;
        return fits ? answer : fallback;
    }

    std::string InputBox(const std::string& prompt, const std::string& defaultAnswer) override {
        records_.push_back({DialogRecord::Kind::Input, {}, {}, {}, prompt, defaultAnswer});
        if (script_.empty() || !std::holds_alternative<std::string>(script_.front())) {
            ADD_FAILURE() << "unscripted input box: " << prompt;
            return {};
        }
        std::string typed = std::get<std::string>(script_.front());
        script_.pop_front();
        return typed;
    }

private:
    static bool Offers(MessageButtons buttons, MessageAnswer answer) {
        using A = MessageAnswer;
        if (buttons == MessageButtons::OK) return answer == A::OK;
        if (buttons == MessageButtons::SaveDiscardCancel)
            return answer == A::Save || answer == A::Discard || answer == A::Cancel;
        return answer == A::Yes || answer == A::No;
    }

    std::deque<std::variant<MessageAnswer, std::string>> script_;
    std::vector<DialogRecord> records_;
    bool acceptOkBoxes_ = false;
};
