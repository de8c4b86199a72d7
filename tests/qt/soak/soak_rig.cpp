#include "soak_rig.h"

#include <unistd.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <sstream>

#include "players/player_store.h"
#include "shell/window/aux_windows.h"

namespace velmoran::soak {

namespace {

constexpr std::array<std::array<int, 5>, 3> kFeatureStops{{
    {1, 7, 1, 2, 1},     // three scatters: a free-spin sequence
    {1, 1, 5, 1, 1},     // a wild on reel 2, held for the next spin
    {13, 22, 7, 14, 1},  // a plain line win
}};

float forInt(int k, int n) {
    return (static_cast<float>(k) - 0.5F) / static_cast<float>(n);
}

bool usable(const QWidget* w) {
    return w != nullptr && w->isVisible() && w->isEnabled();
}

}  // namespace

float SoakChance::draw() {
    if (!script_.empty()) {
        const float r = script_.front();
        script_.pop_front();
        return r;
    }
    // As the program's own source draws: k / 2^24, exact in single precision.
    return static_cast<float>(gen_() >> 8U) * (1.0F / 16777216.0F);
}

void SoakChance::queue(Feature f, const MachineState& s) {
    const auto& stops = kFeatureStops[static_cast<std::size_t>(f)];
    const std::array<std::int16_t, 5> held{0, s.holdreel2, s.holdreel3, s.holdreel4, 0};
    for (std::size_t reel = 0; reel < 5; ++reel)
        if (held[reel] <= 0) script_.push_back(forInt(stops[reel], 22));
    script_.push_back(forInt(1, 7));
}

Money moneyOf(const MachineState& s) {
    return {s.bank, s.amountinvested, s.wager, s.total, s.games};
}

Money moneyOf(const PlayerRecord& r) {
    return {r.bank, r.amountinvested, r.wager, r.total, r.games};
}

std::string describe(const Money& m) {
    std::ostringstream out;
    out << "bank=" << m.bank << " amountinvested=" << m.amountinvested << " wager=" << m.wager << " total=" << m.total
        << " games=" << m.games;
    return out.str();
}

void say(const std::string& text) {
    const std::string whole = text + '\n';
    std::size_t done = 0;
    while (done < whole.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, whole.data() + done, whole.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

SoakRig::SoakRig(const Settings& settings)
    : art(qApp->devicePixelRatio()),
      lock(shell::StoreLock::fileFor(players::kApplication)),
      chance(settings.seed),
      window(art, silence),
      view(window.view()),
      machine(view, chance, watchedStore, display) {
    window.attach(machine);
    display.setMainWindow(&window);
    // The About window's link starts a program that does nothing, not a browser.
    display.setOpener(QStringLiteral("true"));
    machine.startupPauseMs = settings.startupMs;
    view.onMessage = [this](std::string_view text) {
        messages.push_back(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    if (settings.respinMs > 0) {
        if (auto* respin = window.findChild<QTimer*>(QStringLiteral("Timerrespin")))
            respin->setInterval(settings.respinMs);
    }
}

QString SoakRig::start() {
    // Like the program: the lock is taken before the store is read, so two
    // runs on one folder never share it.
    if (shell::claimStore(lock, store, players::kApplication) != shell::StoreLock::Outcome::Taken)
        return QStringLiteral("the store's lock is not ours");
    if (!window.start()) return QStringLiteral("the window did not start");
    return {};
}

bool SoakRig::atRest() const noexcept {
    const auto& st = machine.state;
    return !st.gamerunning && !st.gambleshown && !st.betrunning && st.freespinstotal == 0 &&
           st.auxwindow == AuxWindow::None && !st.loading && !st.shutdown;
}

std::optional<PlayerRecord> SoakRig::recordOnDisk() {
    QFile file(store.fileName(players::kApplication));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QString wanted = QStringLiteral("[player%1]").arg(machine.state.currentslot);
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]+$"));
    PlayerRecord r;
    int found = 0;
    bool inside = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty()) continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']')) return std::nullopt;
            inside = line == wanted;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) return std::nullopt;
        if (!inside) continue;
        const QString key = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (key == u"currentplayer") {
            r.currentplayer = value.toStdString();
            ++found;
            continue;
        }
        if (!integer.match(value).hasMatch()) return std::nullopt;
        bool ok = false;
        const int n = value.toInt(&ok);
        if (!ok) return std::nullopt;
        if (key == u"winroll")
            r.winroll = static_cast<std::int16_t>(n);
        else if (key == u"reelspeed")
            r.reelspeed = static_cast<std::int16_t>(n);
        else if (key == u"amountinvested")
            r.amountinvested = n;
        else if (key == u"wager")
            r.wager = n;
        else if (key == u"total")
            r.total = n;
        else if (key == u"bank")
            r.bank = n;
        else if (key == u"games")
            r.games = n;
        else
            return std::nullopt;
        ++found;
    }
    if (found != 8) return std::nullopt;
    return r;
}

std::vector<QAbstractButton*> SoakRig::mainButtons() const {
    std::vector<QAbstractButton*> out;
    for (auto* b : window.findChildren<QAbstractButton*>())
        if (usable(b)) out.push_back(b);
    return out;
}

std::vector<QAbstractButton*> SoakRig::auxButtons() const {
    std::vector<QAbstractButton*> out;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == &window || !top->isVisible()) continue;
        for (auto* b : top->findChildren<QAbstractButton*>()) {
            // The reels stay at their fastest, so that a run fits many games.
            if (b->objectName().startsWith(QStringLiteral("setspeed"))) continue;
            if (usable(b)) out.push_back(b);
        }
    }
    return out;
}

std::vector<QAction*> SoakRig::menuEntries() const {
    std::vector<QAction*> out;
    if (!window.menuBar()->isEnabled()) return out;
    for (QAction* a : window.menuBar()->actions())
        if (a->isVisible() && a->isEnabled()) out.push_back(a);
    return out;
}

bool SoakRig::auxOpen() const {
    const QWidgetList tops = QApplication::topLevelWidgets();
    return std::any_of(tops.cbegin(), tops.cend(),
                       [this](const QWidget* top) { return top != &window && top->isVisible(); });
}

QAbstractButton* SoakRig::closingButton() const {
    QAbstractButton* pays = window.payTable()->closeButton();
    QAbstractButton* about = window.about()->okButton();
    for (QAbstractButton* b : auxButtons())
        if (b == pays || b == about || b->objectName() == QStringLiteral("btnokplayer")) return b;
    return nullptr;
}

QAbstractButton* SoakRig::button(El e) const {
    return qobject_cast<QAbstractButton*>(window.widget(e));
}

void SoakRig::click(QWidget* w) {
    if (w == nullptr || w->window()->windowHandle() == nullptr) return;
    QPoint at = w->rect().center();
    // An option button takes clicks on its circle and its caption only, and
    // the caption may be empty.
    if (qobject_cast<QRadioButton*>(w) != nullptr)
        at = QPoint(w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) / 2 + 1, w->height() / 2);
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), at));
}

void SoakRig::choose(QAction* entry) {
    QMenuBar* bar = window.menuBar();
    const QRect r = bar->actionGeometry(entry);
    if (r.isEmpty() || window.windowHandle() == nullptr) return;
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, bar->mapTo(&window, r.center()));
}

void SoakRig::type(int key) {
    QWindow* target = QGuiApplication::focusWindow();
    if (target == nullptr || !target->isVisible()) target = window.windowHandle();
    if (target != nullptr) QTest::keyClick(target, static_cast<Qt::Key>(key));
}

}  // namespace velmoran::soak
