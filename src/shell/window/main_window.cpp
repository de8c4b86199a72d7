#include "shell/window/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QWindow>

#include "core/machine.h"
#include "shell/art/art_library.h"
#include "shell/window/aux_windows.h"
#include "shell/window/controls.h"
#include "shell/window/fonts.h"
#include "shell/window/key_preview.h"
#include "shell/window/layout.h"
#include "shell/window/menus.h"
#include "shell/window/shut_down.h"
#include "shell/window/widgets.h"
#include "shell/window/window_view.h"

namespace velmoran::shell {

MainWindow::MainWindow(const art::Library& art, audio::CuePlayer& cues) : art_(art) {
    installFonts();
    setObjectName(QStringLiteral("velmoran"));
    setAccessibleName(QStringLiteral("Velmoran slot machine"));
    board_ = buildBoard(this, art_);
    board_.backdrop->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(board_.backdrop);
    menus_ = buildMenus(menuBar());
    view_ = std::make_unique<WindowView>(*this, board_, art_, cues);
    pays_ = new PayTableWindow(art_, this);
    about_ = new AboutWindow(art_, this);
    shutDown_ = std::make_unique<ShutDown>(*this, *view_);
    connectControls();
    keys_ = std::make_unique<KeyPreview>(*this);
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
    const auto pressed = [this](El e) {
        return [this, e] {
            if (machine_ != nullptr) press(*machine_, e);
        };
    };
    for (const layout::Row& r : layout::kRows) {
        if (r.kind != layout::Kind::Button) continue;
        connect(qobject_cast<QAbstractButton*>(widget(r.el())), &QAbstractButton::clicked, this, pressed(r.el()));
    }
    for (const auto& [e, action] : menus_) connect(action, &QAction::triggered, this, pressed(e));
    connect(pays_, &PayTableWindow::closeButtonClicked, this, pressed(Element::btnunloadpays));
    connect(about_, &AboutWindow::okClicked, this, pressed(Element::cmdOK));
    connect(about_, &AboutWindow::linkClicked, this, pressed(Element::cmdtarnby));
    connect(pays_, &PayTableWindow::closedByPlayer, this, [this] {
        if (machine_ != nullptr) machine_->velmoranpays_Unload();
    });
    connect(about_, &AboutWindow::closedByPlayer, this, [this] {
        if (machine_ != nullptr) machine_->aboutvelmoran_Unload();
    });
}

void MainWindow::attach(Machine& machine) {
    machine_ = &machine;
    view_->attach(machine);
}

GameView& MainWindow::view() noexcept {
    return *view_;
}

void MainWindow::setCuePlayer(audio::CuePlayer& cues) {
    view_->setCuePlayer(cues);
}

QWidget* MainWindow::client() const {
    return board_.backdrop;
}

ReelWindow* MainWindow::reelWindow(int reel) const {
    if (reel < 1 || reel > 5) return nullptr;
    return board_.reels[static_cast<std::size_t>(reel - 1)];
}

QAction* MainWindow::menuAction(Element e) const {
    const auto it = menus_.find(e);
    return it == menus_.end() ? nullptr : it->second;
}

bool MainWindow::timerActive(Timer t) const {
    return view_->timerActive(t);
}

bool MainWindow::keyPreview() const {
    return view_->keyPreview();
}

bool MainWindow::hasShutDown() const {
    return shutDown_->done();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (shutDown_->onClose(e)) Q_EMIT closed();
}

bool MainWindow::start(const std::function<void()>& afterShown) {
    if (machine_ == nullptr) return false;
    if (!machine_->IsScreenFontSmall()) {
        // Only the message: the window never appears.
        machine_->Form_Load();
        return false;
    }
    show();
    // Let the window reach the screen before the start-up pause blocks.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() != nullptr && !windowHandle()->isExposed() && waited.elapsed() < 250)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    if (afterShown) afterShown();
    return machine_->Form_Load();
}

}  // namespace velmoran::shell
