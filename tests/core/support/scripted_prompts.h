// A Prompts fake for tests: records everything shown and answers from a script.
#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "hunt/rule_dialog.h"
#include "model/prompts.h"

namespace vildo::test {

class ScriptedPrompts : public Prompts {
public:
    // What was shown, in order: plain messages, and the texts of warnings and dialogs.
    std::vector<std::string> messages;
    std::vector<std::string> warnings;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> textPrompts;
    struct Info {
        std::string text, okCaption;
        bool showBox;
    };
    std::vector<Info> infos;  // the information dialog, in order
    std::vector<std::string> questions;
    std::vector<std::string> notes;

    // Answers, taken in order; when a queue is empty the cautious answer is given
    // (Abort for OK/Abort, Ignore for Abort/Ignore, cancel for dialogs, prompts and questions).
    std::deque<bool> okAbortAnswers;      // true = OK
    std::deque<bool> abortIgnoreAnswers;  // true = Abort
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<bool> infoTicks;        // true = "Visa inte igen" ticked
    std::deque<bool> questionAnswers;  // true = OK
    // What the user does in each rule dialog, in order; with none left the dialog is closed unsaved.
    std::deque<std::function<void(TRegelform&)>> ruleDialogActions;
    int ruleDialogsShown = 0;

    void message(const std::string& text) override { messages.push_back(text); }
    void note(const std::string& text) override { notes.push_back(text); }
    bool warningOkAbort(const std::string& text) override {
        warnings.push_back(text);
        return take(okAbortAnswers, false);
    }
    bool warningAbortIgnore(const std::string& text) override {
        warnings.push_back(text);
        return take(abortIgnoreAnswers, false);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override {
        fileDialogs.push_back(r);
        return take(fileAnswers, std::optional<std::string>{});
    }
    std::optional<std::string> openFile(const FileDialogRequest& r) override {
        fileDialogs.push_back(r);
        return take(fileAnswers, std::optional<std::string>{});
    }
    std::optional<std::string> inputText(const std::string&, const std::string& prompt, const std::string&) override {
        textPrompts.push_back(prompt);
        return take(textAnswers, std::optional<std::string>{});
    }

    bool info(const std::string& text, const std::string& okCaption, bool showBox) override {
        infos.push_back({text, okCaption, showBox});
        return take(infoTicks, false);
    }
    bool question(const std::string& text, const std::string&, const std::string&) override {
        questions.push_back(text);
        return take(questionAnswers, false);
    }

    void ruleDialog(TRegelform& form) override {
        ++ruleDialogsShown;
        if (ruleDialogActions.empty()) return;
        auto act = std::move(ruleDialogActions.front());
        ruleDialogActions.pop_front();
        act(form);
    }

private:
    template <class T>
    static T take(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

}  // namespace vildo::test
