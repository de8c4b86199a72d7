#pragma once
// The options window `frmvelmoranoptions`: the player slots, the name box,
// the statistics, the win counter, the screen size and the reel speed, laid
// out as the player knows them. The widgets only report the player's actions
// to the OptionsWindow logic; the logic changes them back through the
// GameView, which finds them by element name in elements().
//
// The window is a top-level window of its own, not a child of the main
// window: the main window is disabled while the options are open, and a
// disabled parent would disable this window with it.

#include <QPointer>
#include <QWidget>
#include <map>

#include "core/elements.h"

class QAbstractButton;
class QButtonGroup;
class QKeyEvent;
class QLineEdit;

namespace velmoran {
class OptionsWindow;
}

namespace velmoran::shell {

class OptionsWidget final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 592;
    static constexpr int kClientHeight = 302;

    // `owner` is the main window: this window stays in front of it and goes
    // when it goes, without being its child.
    OptionsWidget(OptionsWindow& logic, QWidget* owner);

    // Every element of the window, the window itself included.
    [[nodiscard]] std::map<El, QWidget*> elements() const;

    // The window goes away without its closing steps (the logic has run
    // them already). It is destroyed once control is back in the event loop,
    // so this may be called from inside one of its own handlers.
    void unload();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void build();
    // Runs `handler` whenever the player selects `b`, also when it was
    // selected already; never when the game selects it.
    template <typename Handler>
    void onSelected(QAbstractButton* b, Handler handler);
    // A key for the name box; true when the logic consumed it.
    bool nameKey(QKeyEvent* key);

    OptionsWindow& logic_;
    QPointer<QWidget> owner_;
    std::map<El, QWidget*> elements_;
    QLineEdit* name_ = nullptr;
    bool unloading_ = false;
};

// Selects or clears an option button. Unlike QAbstractButton::setChecked it
// can also clear the selected button of an exclusive group, leaving the
// group with no selection (a reel speed the options do not offer).
void setOptionChecked(QAbstractButton* b, bool checked);

}  // namespace velmoran::shell
