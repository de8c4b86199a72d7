#pragma once
// The two small windows opened from the menu bar: the pay table and About.
// Their buttons and close boxes report through signals; closing them from
// the game (unload) only hides them and reports nothing.

#include <QDialog>
#include <QWidget>

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
    // Hides the window without running its closing steps.
    void unload();
    [[nodiscard]] QPushButton* closeButton() const noexcept { return button_; }

Q_SIGNALS:
    void closeButtonClicked();  // btnunloadpays
    void closedByPlayer();      // the close box

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
    void unload();
    // The window's height, frame included, in pixels.
    void setFrameHeight(int pixels);
    [[nodiscard]] QPushButton* okButton() const noexcept { return ok_; }
    [[nodiscard]] QPushButton* linkButton() const noexcept { return link_; }
    [[nodiscard]] QLabel* title() const noexcept { return title_; }

Q_SIGNALS:
    void okClicked();       // cmdOK, Enter and Escape
    void linkClicked();     // cmdtarnby
    void closedByPlayer();  // the close box

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
