#pragma once
// The main window wired to scripted chance, an in-memory store, a fake
// desktop and silence, started with a short start-up pause.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <memory>
#include <tuple>
#include <vector>

#include "core/machine.h"
#include "shell/art/art_library.h"
#include "shell/audio/cue_player.h"
#include "shell/window/main_window.h"
#include "shell/window/widgets.h"
#include "support/fakes.h"

namespace velmoran::test {

// The pictures are rendered once for every test.
inline const art::Library& sharedArt() {
    static const art::Library library(1.0);
    return library;
}

struct WindowRig {
    audio::SilentCuePlayer cues;
    ScriptedRandom random;
    MemoryStore store;
    FakeDisplay display;
    shell::MainWindow window{sharedArt(), cues};
    Machine machine{window, random, store, display};
    std::vector<std::tuple<QString, QString, MessageIcon>> messages;

    WindowRig() {
        window.attach(machine);
        machine.startupPauseMs = 20;
        window.messageHook = [this](const QString& text, const QString& title, MessageIcon icon) {
            messages.emplace_back(text, title, icon);
        };
    }
    ~WindowRig() {
        if (window.isVisible()) window.hide();
    }

    QWidget* w(El e) const { return window.widget(e); }
    QLabel* label(El e) const { return qobject_cast<QLabel*>(window.widget(e)); }
    QAbstractButton* button(El e) const { return qobject_cast<QAbstractButton*>(window.widget(e)); }
    QString text(El e) const { return label(e) != nullptr ? label(e)->text() : QString(); }
    void click(El e) { QTest::mouseClick(button(e), Qt::LeftButton); }
    void settle(int ms = 50) { QTest::qWait(ms); }
};

}  // namespace velmoran::test
