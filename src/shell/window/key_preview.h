#pragma once
// The main window's key preview: every character key typed in the window
// goes to the machine's key handler before the element that has the focus,
// which sees it only when the handler lets it through.

#include <QObject>

namespace velmoran::shell {

class MainWindow;

class KeyPreview final : public QObject {
    Q_OBJECT
public:
    // Watches the keys of the whole application, as a key can reach any
    // widget of the window first.
    explicit KeyPreview(MainWindow& window);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    MainWindow& window_;
    bool forwarding_ = false;
};

}  // namespace velmoran::shell
