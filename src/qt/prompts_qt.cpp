#include "qt/prompts_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <utility>

#include "app/dispatch.h"
#include "app/vildo.h"
#include "hunt/rule_dialog.h"
#include "ui/info_dialog.h"

namespace vildo::qt {

namespace {

constexpr int kStripHeight = 50;  // the bottom strip with the box and the buttons
constexpr int kInfoClientWidth = 421;
constexpr int kInfoLabelWidth = 380;
constexpr int kLabelLeft = 24, kLabelTop = 16;
constexpr int kCaptionBar = 20;  // the tool window's caption, part of the dialog's height

QString qs(const std::string& s) {
    QString t = QString::fromStdString(s);
    t.replace("\r\n", "\n");
    return t;
}

// The dialog in the middle of the screen it will show on.
void centre(QWidget* w) {
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect s = screen->geometry();
    w->move(s.x() + s.width() / 2 - w->width() / 2, s.y() + s.height() / 2 - w->height() / 2);
}

}  // namespace

InfoDialog::InfoDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Information");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
    panel1_ = new QWidget(this);
    panel2_ = new QWidget(this);
    panel2_->setAutoFillBackground(true);
    QPalette p = panel2_->palette();
    p.setColor(QPalette::Window, palette().color(QPalette::Window).darker(115));
    panel2_->setPalette(p);
    text_ = new QLabel(panel1_);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box_ = new QCheckBox("Visa inte igen", panel2_);
    cancel_ = new QPushButton(panel2_);
    ok_ = new QPushButton(panel2_);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(box_, &QCheckBox::toggled, this, [this](bool on) { ticked_ = ticked_ || on; });
    // OK first: Space or Enter on a fresh dialog must never tick "Visa inte igen".
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, box_);
    resize(kInfoClientWidth, 284);
}

void InfoDialog::layOut(int clientWidth, int labelLeft, int labelWidth) {
    text_->setGeometry(labelLeft, kLabelTop, labelWidth, text_->heightForWidth(labelWidth));
    const int height = text_->height() + kStripHeight + 60 - kCaptionBar;
    setFixedSize(clientWidth, height);
    panel1_->setGeometry(0, 0, clientWidth, height - kStripHeight);
    panel2_->setGeometry(0, height - kStripHeight, clientWidth, kStripHeight);
    const int bh = 30, top = (kStripHeight - bh) / 2;
    const int okWidth = std::max(90, ok_->sizeHint().width());
    const int cancelWidth = std::max(90, cancel_->sizeHint().width());
    ok_->setGeometry(clientWidth - okWidth - 14, top, okWidth, bh);
    cancel_->setGeometry(clientWidth - okWidth - cancelWidth - 22, top, cancelWidth, bh);
    box_->setGeometry(kLabelLeft, top, box_->sizeHint().width(), bh);
    ok_->setFocus();
    centre(this);
}

void InfoDialog::prepareInfo(const QString& text, const QString& okCaption, bool showBox) {
    box_->setVisible(showBox);
    box_->setChecked(false);
    ticked_ = false;
    cancel_->hide();
    ok_->setText(okCaption);
    text_->setText(text);
    layOut(kInfoClientWidth, kLabelLeft, kInfoLabelWidth);
}

void InfoDialog::prepareQuestion(const QString& text, const QString& okCaption, const QString& cancelCaption,
                                 int textWidth) {
    box_->hide();
    ticked_ = false;
    if (textWidth < 0) {
        // The widest line in the label's font.
        const QFontMetrics fm(text_->font());
        textWidth = 0;
        for (const QString& line : text.split('\n')) textWidth = std::max(textWidth, fm.horizontalAdvance(line));
    }
    const int width = questionClientWidth(textWidth);
    cancel_->show();
    ok_->setText(okCaption);
    cancel_->setText(cancelCaption);
    text_->setText(text);
    // The label keeps a margin on both sides, so the measured text fits on its line.
    layOut(width, 14, width - 20);
}

QString nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return out.join(";;");
}

void PromptsQt::showScripted(QWidget* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    open_.append(dialog);
}

QWidget* PromptsQt::lastDialog() const {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (*it && (*it)->isVisible()) return *it;
    return nullptr;
}

void PromptsQt::dismissDialog() {
    if (QWidget* top = lastDialog()) top->close();
}

void PromptsQt::closeDialogs() {
    for (const QPointer<QWidget>& d : open_)
        if (d) d->close();
    open_.clear();
}

void PromptsQt::message(const std::string& text) {
    shown_ << qs(text);
    auto* box = new QMessageBox(QMessageBox::NoIcon, "Vildo", qs(text), QMessageBox::Ok, parent_);
    if (scripted_) {
        showScripted(box);
        return;
    }
    box->exec();
    delete box;
}

bool PromptsQt::warningOkAbort(const std::string& text) {
    shown_ << qs(text);
    if (scripted_) return false;
    QMessageBox box(QMessageBox::Warning, "Varning", qs(text), QMessageBox::Ok | QMessageBox::Abort, parent_);
    box.button(QMessageBox::Abort)->setText("Avbryt");
    return box.exec() == QMessageBox::Ok;
}

bool PromptsQt::warningAbortIgnore(const std::string& text) {
    shown_ << qs(text);
    if (scripted_) return false;
    QMessageBox box(QMessageBox::Warning, "Vildo", qs(text), QMessageBox::Abort | QMessageBox::Ignore, parent_);
    box.button(QMessageBox::Abort)->setText("Avbryt");
    box.button(QMessageBox::Ignore)->setText("Ignorera");
    box.setDefaultButton(QMessageBox::Ignore);
    return box.exec() == QMessageBox::Abort;
}

std::optional<std::string> PromptsQt::fileDialog(const FileDialogRequest& r, bool save) {
    shown_ << QString::fromStdString(r.title);
    if (nextFile_) return std::exchange(nextFile_, std::nullopt);
    if (scripted_) return std::nullopt;
    QFileDialog dialog(parent_, QString::fromStdString(r.title), QString::fromStdString(r.initialDir),
                       nameFilters(r.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromStdString(r.defaultExt));
    if (!r.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> PromptsQt::saveFile(const FileDialogRequest& request) { return fileDialog(request, true); }

std::optional<std::string> PromptsQt::openFile(const FileDialogRequest& request) { return fileDialog(request, false); }

std::optional<std::string> PromptsQt::inputText(const std::string& caption, const std::string& prompt,
                                                const std::string& initial) {
    shown_ << qs(prompt);
    if (scripted_) return std::nullopt;
    bool ok = false;
    const QString t = QInputDialog::getText(parent_, qs(caption), qs(prompt), QLineEdit::Normal, qs(initial), &ok);
    if (!ok) return std::nullopt;
    return t.toStdString();
}

bool PromptsQt::info(const std::string& text, const std::string& okCaption, bool showBox) {
    shown_ << qs(text);
    auto* dialog = new InfoDialog(parent_);
    dialog->prepareInfo(qs(text), qs(okCaption), showBox);
    if (scripted_) {
        showScripted(dialog);
        return false;
    }
    dialog->exec();
    const bool ticked = dialog->boxTicked();
    delete dialog;
    return ticked;
}

bool PromptsQt::question(const std::string& text, const std::string& okCaption, const std::string& cancelCaption) {
    shown_ << qs(text);
    if (scripted_) return false;
    InfoDialog dialog(parent_);
    dialog.prepareQuestion(qs(text), qs(okCaption), qs(cancelCaption));
    return dialog.exec() == QDialog::Accepted;
}

bool PromptsQt::longWork(const std::string& text, const std::function<void(const ProgressReport&)>& work) {
    constexpr int kSteps = 1000;
    std::atomic<int> done{0};
    std::atomic<bool> cancel{false}, finished{false};
    std::exception_ptr error;
    QProgressDialog dialog(QString::fromStdString(text), QString::fromUtf8("Avbryt"), 0, kSteps, parent_);
    dialog.setWindowTitle("Vildo");
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    auto* bar = new QProgressBar(&dialog);
    bar->setFormat("%p %");
    dialog.setBar(bar);
    dialog.setRange(0, kSteps);
    dialog.setValue(0);
    std::thread worker([&] {
        try {
            work([&](double share) {
                // Workers report in any order: keep the furthest, so that the bar only moves forward.
                const int step = std::clamp(static_cast<int>(share * kSteps), 0, kSteps);
                int seen = done.load();
                while (step > seen && !done.compare_exchange_weak(seen, step)) {
                }
                return !cancel.load();
            });
        } catch (...) {
            error = std::current_exception();
        }
        finished.store(true);
    });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        dialog.setValue(done.load());
        if (longWorkWatcher_ && done.load() >= kSteps / 3) std::exchange(longWorkWatcher_, nullptr)(&dialog);
        if (finished.load()) loop.quit();
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        cancel.store(true);
        dialog.setLabelText(QString::fromUtf8("Avbryter …"));
    });
    poll.start(50);
    dialog.show();
    loop.exec();
    worker.join();
    dialog.hide();
    if (error) std::rethrow_exception(error);
    return !cancel.load();
}

void PromptsQt::ruleDialog(TRegelform& form) {
    if (scripted_ || !app_) return;
    QDialog dialog(parent_);
    dialog.setWindowTitle(TRegelform::kCaption);
    auto* grid = new QGridLayout(&dialog);
    grid->setContentsMargins(18, 16, 18, 14);
    grid->setVerticalSpacing(10);
    grid->addWidget(new QLabel(QString::fromUtf8(TRegelform::kPrompt)), 0, 0, 1, 2);
    auto* from = new QComboBox();
    auto* to = new QComboBox();
    for (int i = 1; i <= TRegelform::kFromItems; ++i) from->addItem(QString::number(i));
    for (int i = 1; i <= TRegelform::kToItems; ++i) to->addItem(QString::number(i));
    grid->addWidget(new QLabel(QString::fromUtf8(TRegelform::kFromCaption)), 1, 0);
    grid->addWidget(from, 1, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(TRegelform::kToCaption)), 2, 0);
    grid->addWidget(to, 2, 1);
    auto* save = new QPushButton(QString::fromUtf8(TRegelform::kSaveCaption));
    save->setDefault(true);
    grid->addWidget(save, 3, 1, Qt::AlignRight);
    Vildo& app = *app_;
    auto show = [&] {
        const QSignalBlocker b1(from), b2(to);
        from->setCurrentIndex(form.ComboBox1Index);
        to->setCurrentIndex(form.ComboBox2Index);
    };
    show();
    QObject::connect(from, &QComboBox::currentIndexChanged, &dialog, [&](int i) { form.ComboBox1Index = i; });
    QObject::connect(to, &QComboBox::currentIndexChanged, &dialog, [&](int i) {
        form.ComboBox2Index = i;
        dispatch(app, [&] { form.ComboBox2Change(); });
        show();
    });
    QObject::connect(save, &QPushButton::clicked, &dialog, [&] {
        dispatch(app, [&] { form.Button1Click(); });
        show();
        if (!form.open) dialog.accept();
    });
    dialog.exec();
}

}  // namespace vildo::qt
