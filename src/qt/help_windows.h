// The help windows and the about window: made once, shown without blocking, brought forward when asked
// for again.
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

class QLabel;

namespace vildo {

struct Vildo;

namespace qt {

enum class HelpWindow { Help, Ekosystemet, Kvalitet, Fekhelp, Count };

// The texts of the windows.
QString helpText(HelpWindow w);
QString aboutText();

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    AboutWindow(const Vildo& app, QWidget* parent);
    QLabel* systemFolder() const { return system_; }
    QLabel* workFolder() const { return work_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const Vildo& app_;
    QLabel* system_;
    QLabel* work_;
};

class HelpWindows {
public:
    // The windows belong to `owner` and close with it.
    HelpWindows(const Vildo& app, QWidget* owner);

    QWidget* show(HelpWindow w);
    AboutWindow* showAbout();
    QWidget* window(HelpWindow w) const { return windows_[static_cast<size_t>(w)]; }
    AboutWindow* about() const { return about_; }

private:
    std::array<QPointer<QWidget>, static_cast<size_t>(HelpWindow::Count)> windows_{};
    QPointer<AboutWindow> about_;
};

}  // namespace qt
}  // namespace vildo
