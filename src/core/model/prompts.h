// Everything the user is asked or told goes through this interface; the view shows real dialogs,
// tests script the answers.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace vildo {

class TRegelform;

struct FileDialogRequest {
    std::string title;
    std::string initialDir;
    std::string filter;  // "Description|*.ext"
    std::string defaultExt;
    bool overwritePrompt = false;
};

// Long work tells its share done (0..1) and learns whether to go on: false once the user has cancelled.
using ProgressReport = std::function<bool(double share)>;

class Prompts {
public:
    virtual ~Prompts() = default;
    // A plain message box with an OK button.
    virtual void message(const std::string& text) = 0;
    // A warning with OK and Abort; true for OK.
    virtual bool warningOkAbort(const std::string& text) = 0;
    // A warning with Abort and Ignore; true for Abort.
    virtual bool warningAbortIgnore(const std::string& text) = 0;
    // Save and open dialogs: the chosen file, or nothing when cancelled.
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // A text prompt: the entered text, or nothing when cancelled.
    virtual std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial) = 0;
    // The information dialog: the text with an OK button captioned okCaption and, when showBox,
    // the "Visa inte igen" box; true when the box was ticked while the dialog showed.
    virtual bool info(const std::string& text, const std::string& okCaption, bool showBox) = 0;
    // The information dialog as a question with OK and Cancel; true exactly when OK closed it.
    virtual bool question(const std::string& text, const std::string& okCaption, const std::string& cancelCaption) = 0;
    // The rule dialog "Ange regel", modal: the user's choices go to the form's handlers until it closes.
    // Without a window it closes at once and nothing is chosen.
    virtual void ruleDialog(TRegelform& form) { (void)form; }
    // Long work with its progress shown under the text and a way to cancel it; the work may run on another
    // thread and touches nothing of the caller's state. Without a window it just runs. False when cancelled.
    virtual bool longWork(const std::string& text, const std::function<void(const ProgressReport&)>& work) {
        (void)text;
        work([](double) { return true; });
        return true;
    }
    // A remark that asks nothing and stops nothing, such as why a cached result is not used: the command
    // line prints it; a window may leave it unshown.
    virtual void note(const std::string& text) { (void)text; }
};

// Answers nothing and shows nothing: for headless runs that must not stop on a question.
class SilentPrompts : public Prompts {
public:
    void message(const std::string&) override {}
    bool warningOkAbort(const std::string&) override { return false; }
    bool warningAbortIgnore(const std::string&) override { return false; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> inputText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool info(const std::string&, const std::string&, bool) override { return false; }
    bool question(const std::string&, const std::string&, const std::string&) override { return false; }
};

}  // namespace vildo
