#include "shell/window/aux_windows.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "core/build_config.h"
#include "shell/art/art_library.h"
#include "shell/window/fonts.h"
#include "shell/window/widgets.h"

namespace velmoran::shell {

namespace {
const QString kTitle = QStringLiteral("slots_velmoran");

void colour(QWidget* w, QColor c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}
}  // namespace

PayTableWindow::PayTableWindow(const art::Library& art, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("velmoranpays"));
    setWindowTitle(QStringLiteral("VELMORAN  PAYTABLE"));
    setAccessibleName(QStringLiteral("Pay table"));
    setFixedSize(501, 379);
    auto* picture = new PictureBox(this);
    picture->setGeometry(0, 0, 501, 379);
    picture->setPixmap(art.asset(art::Asset::PayTable));
    // The window is a pixel wider and higher than its picture.
    picture->setEdgeCarried(true);
    picture->setAccessibleName(QStringLiteral("Pay table"));
    button_ = new QPushButton(QStringLiteral("Close Paytable"), this);
    button_->setObjectName(QStringLiteral("btnunloadpays"));
    button_->setGeometry(300, 353, 165, 21);
    button_->setFont(layoutFont(kComic, 9.75, true));
    colour(button_, Qt::blue);
    button_->setAccessibleName(QStringLiteral("Close Paytable"));
    connect(button_, &QPushButton::clicked, this, &PayTableWindow::closeButtonClicked);
}

void PayTableWindow::unload() {
    unloading_ = true;
    close();
    unloading_ = false;
}

void PayTableWindow::closeEvent(QCloseEvent* e) {
    if (!unloading_) Q_EMIT closedByPlayer();
    e->accept();
}

AboutWindow::AboutWindow(const art::Library& art, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutvelmoran"));
    setWindowTitle(QStringLiteral("About ") + kTitle);
    setAccessibleName(windowTitle());
    setModal(false);
    setFixedSize(382, 96);
    auto* icon = new PictureBox(this, true);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setGeometry(8, 16, 35, 35);
    icon->setPixmap(art.asset(art::Asset::Icon));
    icon->setAccessibleName(QStringLiteral("Program icon"));

    title_ = new QLabel(kTitle + QStringLiteral("\nVersion ") + QString::fromLatin1(build::kVersion), this);
    title_->setObjectName(QStringLiteral("lblTitle"));
    title_->setGeometry(56, 8, 199, 55);
    title_->setFont(layoutFont(kComic, 9.75, true));
    title_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colour(title_, Qt::black);
    title_->setAccessibleName(title_->text());

    auto* more = new QLabel(QStringLiteral("See More Slots At :-"), this);
    more->setObjectName(QStringLiteral("Label2"));
    more->setGeometry(12, 64, 145, 25);
    more->setFont(layoutFont(kSans, 9.75, true));
    colour(more, Qt::blue);

    link_ = new QPushButton(QStringLiteral("Tarnby-Slots"), this);
    link_->setObjectName(QStringLiteral("cmdtarnby"));
    link_->setGeometry(160, 64, 181, 22);
    link_->setFont(layoutFont(kComic, 12, false));
    link_->setAutoDefault(false);
    colour(link_, Qt::red);
    link_->setAccessibleName(QStringLiteral("Tarnby-Slots web site"));
    connect(link_, &QPushButton::clicked, this, &AboutWindow::linkClicked);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setGeometry(272, 24, 84, 23);
    ok_->setDefault(true);
    ok_->setAccessibleName(QStringLiteral("OK"));
    connect(ok_, &QPushButton::clicked, this, &AboutWindow::okClicked);
}

void AboutWindow::setFrameHeight(int pixels) {
    // Before the window is on screen its frame is unknown: a dialog frame
    // with a title bar takes about 25 pixels.
    int frame = frameGeometry().height() - height();
    if (frame <= 0) frame = 25;
    setFixedHeight(std::max(1, pixels - frame));
}

void AboutWindow::unload() {
    unloading_ = true;
    close();
    unloading_ = false;
}

void AboutWindow::reject() {
    // Escape does what the OK button does.
    Q_EMIT okClicked();
}

void AboutWindow::closeEvent(QCloseEvent* e) {
    if (!unloading_) Q_EMIT closedByPlayer();
    e->accept();
}

}  // namespace velmoran::shell
