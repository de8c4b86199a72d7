#pragma once
// The two small windows opened from the menu bar: the pay table and About.
// Their buttons and close boxes report to the callbacks; closing them from
// the game (unload) only hides them.

#include <QDialog>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace velmoran::art {
class Library;
}

namespace velmoran::shell {

class PictureBox;

class PayTableWindow : public QWidget {
    Q_OBJECT
public:
    PayTableWindow(const art::Library& art, QWidget* owner);
    std::function<void()> onCloseButton;  // btnunloadpays
    std::function<void()> onClosed;       // the close box
    // Hides the window without running its closing steps.
    void unload();
    [[nodiscard]] QPushButton* closeButton() const noexcept { return button_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QPushButton* button_;
    bool unloading_ = false;
};

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(const art::Library& art, QWidget* owner);
    std::function<void()> onOk;      // cmdOK, Enter and Escape
    std::function<void()> onLink;    // cmdtarnby
    std::function<void()> onClosed;  // the close box
    void unload();
    // The window's height, frame included, in pixels.
    void setFrameHeight(int pixels);
    [[nodiscard]] QPushButton* okButton() const noexcept { return ok_; }
    [[nodiscard]] QPushButton* linkButton() const noexcept { return link_; }
    [[nodiscard]] QLabel* title() const noexcept { return title_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    QPushButton* ok_;
    QPushButton* link_;
    QLabel* title_;
    bool unloading_ = false;
};

}  // namespace velmoran::shell
