// The core's prompts as real dialogs: message boxes, the information dialog TInfo, the file dialogs,
// the text prompt and the rule dialog "Ange regel".
#pragma once
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "model/prompts.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace vildo {

struct Vildo;

namespace qt {

// TInfo: a text with an OK button and, for numbered messages, "Visa inte igen"; also asks questions.
class InfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit InfoDialog(QWidget* parent = nullptr);

    // Lays the dialog out for a message (Visainfo) or a question (Visafraga), sized and centred on the
    // screen; textWidth is the question's width in the label's font (measured when negative).
    void prepareInfo(const QString& text, const QString& okCaption, bool showBox);
    void prepareQuestion(const QString& text, const QString& okCaption, const QString& cancelCaption,
                         int textWidth = -1);

    // Whether "Visa inte igen" was ticked while the dialog showed, even if unticked again.
    bool boxTicked() const { return ticked_; }
    QLabel* textLabel() const { return text_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QCheckBox* showBox() const { return box_; }

private:
    void layOut(int clientWidth, int labelLeft, int labelWidth);

    QWidget* panel1_;
    QWidget* panel2_;
    QLabel* text_;
    QCheckBox* box_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool ticked_ = false;
};

class PromptsQt : public Prompts {
public:
    // The window the dialogs belong to; until set they have no parent.
    void setParentWindow(QWidget* window) { parent_ = window; }
    // The state the rule dialog's handlers run against.
    void setApp(Vildo& app) { app_ = &app; }
    // Scripted runs (screenshots, tests): nothing waits for a user. Messages and the information dialog
    // are shown without blocking, questions and warnings take the cautious answer, file dialogs and the
    // text prompt are cancelled.
    void setScripted(bool scripted) { scripted_ = scripted; }
    // Scripted runs: called once with the progress dialog when long work is a third done (a screenshot).
    void setLongWorkWatcher(std::function<void(QWidget* dialog)> watcher) { longWorkWatcher_ = std::move(watcher); }
    bool scripted() const { return scripted_; }
    // The next file dialog answers with this file without showing: a file the user chose elsewhere (the
    // command line, "Senaste filer").
    void answerNextFileDialog(const std::string& file) { nextFile_ = file; }

    // The texts shown so far, and the dialog on top (scripted runs keep their dialogs open, stacked).
    const QStringList& shown() const { return shown_; }
    QWidget* lastDialog() const;
    // Closes the dialog on top, as its OK button would; closeDialogs closes all.
    void dismissDialog();
    void closeDialogs();

    void message(const std::string& text) override;
    bool warningOkAbort(const std::string& text) override;
    bool warningAbortIgnore(const std::string& text) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    bool info(const std::string& text, const std::string& okCaption, bool showBox) override;
    bool question(const std::string& text, const std::string& okCaption, const std::string& cancelCaption) override;
    void ruleDialog(TRegelform& form) override;
    // A modal progress dialog with "Avbryt" while the work runs on a thread of its own.
    bool longWork(const std::string& text, const std::function<void(const ProgressReport&)>& work) override;

private:
    std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save);
    void showScripted(QWidget* dialog);

    QPointer<QWidget> parent_;
    Vildo* app_ = nullptr;
    bool scripted_ = false;
    std::optional<std::string> nextFile_;
    std::function<void(QWidget*)> longWorkWatcher_;
    QStringList shown_;
    QList<QPointer<QWidget>> open_;
};

// "OMR-file|*.omr" as a Qt name filter: "OMR-file (*.omr)".
QString nameFilters(const std::string& filter);

}  // namespace qt
}  // namespace vildo
