#include "shell/options/options_widget.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <string_view>

#include "players/options_window.h"
#include "shell/window/fonts.h"

namespace velmoran::shell {

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kBlack(0, 0, 0);

// Font and text colour of one element. Both are set on every element, so
// that nothing takes the bold blue of the frame it sits in.
void dress(QWidget* w, const QFont& font, const QColor& colour) {
    w->setFont(font);
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

QFont plainFont(double points = 8.25) {
    return layoutFont(kComic, points, false);
}
QFont frameFont() {
    return layoutFont(kComic, 9.75, true);
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& title, QRect geometry) {
    auto* f = new QGroupBox(title, parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(geometry);
    dress(f, frameFont(), kBlue);
    return f;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    // Captions carry runs of spaces and "<<<": never rich text.
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(geometry);
    dress(l, plainFont(), kBlack);
    return l;
}

// A fixed caption keeps its left edge and is never cut short: the embedded
// face sets its runs of spaces a little wider than the layout assumed.
QLabel* fitted(QLabel* l) {
    const int needed = l->fontMetrics().horizontalAdvance(l->text()) + 2;
    if (needed > l->width()) l->resize(needed, l->height());
    return l;
}

QLabel* boxedLabel(QWidget* parent, const char* name, QRect geometry) {
    QLabel* l = label(parent, name, QString(), geometry);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setLineWidth(1);
    l->setIndent(2);
    return l;
}

QRadioButton* option(QWidget* parent, QButtonGroup* group, const QString& name, const QString& text, QRect geometry) {
    auto* b = new QRadioButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    dress(b, plainFont(), kBlack);
    group->addButton(b);
    return b;
}

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(i);
}

}  // namespace

OptionsWidget::OptionsWidget(OptionsWindow& logic, QWidget* owner)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      logic_(logic),
      owner_(owner) {
    installFonts();
    setObjectName(QStringLiteral("frmvelmoranoptions"));
    setWindowTitle(QStringLiteral("Velmoran Options"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(plainFont());
    build();
    // Top-left of the screen, clear of the main window's reels.
    move(0, 0);
    if (owner != nullptr) connect(owner, &QObject::destroyed, this, [this] { delete this; });
}

void OptionsWidget::build() {
    elements_[Element::frmvelmoranoptions] = this;

    QGroupBox* main = frame(this, "Framemain", QStringLiteral("Velmoran Options"), {0, 8, 617, 289});
    elements_[Element::Framemain] = main;

    elements_[Element::lblplayername] = fitted(label(
        main, "lblplayername", QStringLiteral("Input Player Name                                        Then Enter"),
        {16, 24, 265, 17}));

    name_ = new QLineEdit(main);
    name_->setObjectName(QStringLiteral("player1"));
    name_->setGeometry(117, 16, 97, 25);
    dress(name_, plainFont(), kBlack);
    name_->setAccessibleName(QStringLiteral("Player name"));
    // The box sits in the gap of the label's caption, over the label.
    name_->raise();
    name_->installEventFilter(this);
    elements_[Element::player1] = name_;

    QLabel* current = boxedLabel(main, "lblcurrentplayer", {7, 48, 225, 20});
    dress(current, plainFont(), kRed);
    elements_[Element::lblcurrentplayer] = current;

    auto* slotGroup = new QButtonGroup(this);
    for (std::int16_t k = 1; k <= 6; ++k) {
        QRadioButton* b = option(main, slotGroup, indexed("machine", k), QString(), {7, 80 + 24 * (k - 1), 100, 20});
        dress(b, layoutFont(kSans, 9.75, false), kRed);
        onSelected(b, [this, k] { logic_.machine_Click(k); });
        elements_[{Element::machine, k}] = b;
    }

    const std::pair<Element, const char*> statistics[] = {
        {Element::lblgames, "lblgames"},       {Element::lblwager, "lblwager"},
        {Element::lbltotalwon, "lbltotalwon"}, {Element::lblwinlose, "lblwinlose"},
        {Element::lblreturned, "lblreturned"}, {Element::lblinvested, "lblinvested"},
    };
    int top = 80;
    for (const auto& [element, name] : statistics) {
        QLabel* l = boxedLabel(main, name, {133, top, 167, 20});
        dress(l, plainFont(), kNavy);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, Qt::white);
        l->setPalette(p);
        l->setAutoFillBackground(true);
        elements_[element] = l;
        top += 24;
    }

    QGroupBox* counter = frame(main, "Framecounter", QStringLiteral("Win Counter"), {312, 16, 137, 113});
    elements_[Element::Framecounter] = counter;
    auto* counters = new QButtonGroup(this);
    for (std::int16_t i = 1; i <= 2; ++i) {
        QRadioButton* b =
            option(counter, counters, indexed("wincounter", i), QString(), {8, i == 1 ? 32 : 72, 100, 20});
        onSelected(b, [this, i] { logic_.wincounter_Click(i); });
        elements_[{Element::wincounter, i}] = b;
    }

    QGroupBox* screen = frame(main, "Frame1", QStringLiteral("Screen Size"), {456, 16, 145, 113});
    elements_[Element::Frame1] = screen;
    auto* sizes = new QButtonGroup(this);
    QRadioButton* smaller =
        option(screen, sizes, QStringLiteral("SSOption1"), QStringLiteral("800 X 600 Small"), {8, 17, 110, 20});
    QRadioButton* larger =
        option(screen, sizes, QStringLiteral("SSOption2"), QStringLiteral("640 X 480  Large"), {8, 32, 110, 20});
    onSelected(smaller, [this] { logic_.SSOption1_Click(); });
    onSelected(larger, [this] { logic_.SSOption2_Click(); });
    elements_[Element::SSOption1] = smaller;
    elements_[Element::SSOption2] = larger;
    QLabel* note = label(screen, "Label5", QStringLiteral("Note:- Some machines  may not support this function."),
                         {8, 48, 128, 52});
    note->setWordWrap(true);
    dress(note, plainFont(9), kBlack);
    elements_[Element::Label5] = note;

    QGroupBox* speed = frame(main, "Framespeed", QStringLiteral("Reel Speed"), {312, 128, 289, 105});
    elements_[Element::Framespeed] = speed;
    auto* speeds = new QButtonGroup(this);
    for (std::int16_t i = 0; i <= 4; ++i) {
        QRadioButton* b =
            option(speed, speeds, indexed("setspeed", i), QString::number(i + 1), {8 + 40 * i, 24, 25, 20});
        dress(b, layoutFont(kSans, 8.25, false), kBlack);
        b->setAccessibleName(QStringLiteral("Reel speed %1").arg(i + 1));
        onSelected(b, [this, i] { logic_.setspeed_Click(i); });
        elements_[{Element::setspeed, i}] = b;
    }
    elements_[Element::fastslow] = fitted(
        label(speed, "fastslow", QStringLiteral("<<<Faster                              Slower>>>"), {8, 48, 193, 17}));
    QLabel* speedNow = label(speed, "speedlab", QString(), {8, 64, 169, 25});
    dress(speedNow, plainFont(), kBlue);
    elements_[Element::speedlab] = speedNow;

    auto* clear = new QPushButton(main);
    clear->setObjectName(QStringLiteral("Btndeletedetails"));
    clear->setGeometry(8, 240, 289, 25);
    dress(clear, frameFont(), kBlue);
    connect(clear, &QPushButton::clicked, this, [this] { logic_.Btndeletedetails_Click(); });
    elements_[Element::Btndeletedetails] = clear;

    auto* ok = new QPushButton(QStringLiteral("O.K. Close and save changes"), main);
    ok->setObjectName(QStringLiteral("btnokplayer"));
    ok->setGeometry(360, 248, 193, 25);
    dress(ok, frameFont(), kBlack);
    connect(ok, &QPushButton::clicked, this, [this] { logic_.btnokplayer_Click(); });
    elements_[Element::btnokplayer] = ok;
}

template <typename Handler>
void OptionsWidget::onSelected(QAbstractButton* b, Handler handler) {
    // Every choice the player makes reaches the handler, the option already
    // selected included: the same screen size is asked for again, the same
    // slot read again. A selection made by the game clicks nothing.
    connect(b, &QAbstractButton::clicked, this, [handler] { handler(); });
}

std::map<El, QWidget*> OptionsWidget::elements() const {
    return elements_;
}

void OptionsWidget::unload() {
    unloading_ = true;
    hide();
    deleteLater();
}

void OptionsWidget::closeEvent(QCloseEvent* e) {
    if (!unloading_) {
        // The close box: the logic runs its closing steps, which end by
        // unloading this window.
        unloading_ = true;
        logic_.Form_Unload();
    }
    e->accept();
}

void OptionsWidget::showEvent(QShowEvent* e) {
    // In front of the main window, like a dialog it owns.
    if (owner_ != nullptr && windowHandle() != nullptr && owner_->window()->windowHandle() != nullptr)
        windowHandle()->setTransientParent(owner_->window()->windowHandle());
    QWidget::showEvent(e);
}

bool OptionsWidget::eventFilter(QObject* watched, QEvent* e) {
    if (watched == name_ && e->type() == QEvent::KeyPress) return nameKey(static_cast<QKeyEvent*>(e));
    return QWidget::eventFilter(watched, e);
}

bool OptionsWidget::nameKey(QKeyEvent* key) {
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QString text = key->text();
    // Keys without a character (arrows, shifts, function keys) only move
    // about in the box.
    if (!enter && text.isEmpty()) return false;
    const char16_t unit = enter ? u'\r' : text.at(0).unicode();
    std::int16_t keyascii = unit <= 0x7FFF ? static_cast<std::int16_t>(unit) : std::int16_t{'?'};
    const std::int16_t before = keyascii;
    // The text as it was before the key, in the logic's UTF-8.
    const QByteArray box = name_->text().toUtf8();
    logic_.player1_KeyPress(keyascii, std::string_view(box.constData(), static_cast<std::size_t>(box.size())));
    if (keyascii == 0) return true;
    if (keyascii != before) {
        // The handler typed another character in place of this one.
        name_->insert(QString(QChar(static_cast<char16_t>(keyascii))));
        return true;
    }
    return false;
}

void setOptionChecked(QAbstractButton* b, bool checked) {
    if (b == nullptr || b->isChecked() == checked) return;
    if (checked) {
        b->setChecked(true);
        return;
    }
    // An exclusive group keeps its selected button selected; it lets go
    // only while it is not exclusive.
    QButtonGroup* group = b->group();
    const bool groupExclusive = group != nullptr && group->exclusive();
    const bool autoExclusive = b->autoExclusive();
    if (groupExclusive) group->setExclusive(false);
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(autoExclusive);
    if (groupExclusive) group->setExclusive(true);
}

}  // namespace velmoran::shell
