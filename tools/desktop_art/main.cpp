// velmoran_desktop_art ICON_ROOT SCREENSHOT.png APP_ID
// Draws the program icon into an icon theme folder tree under ICON_ROOT
// (hicolor/<N>x<N>/apps and hicolor/scalable/apps) and the main window's
// screenshot into SCREENSHOT.png. Runs offscreen unless told otherwise.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "desktop_art.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: velmoran_desktop_art ICON_ROOT SCREENSHOT.png APP_ID\n";
        return 2;
    }
    const QString iconRoot = QString::fromLocal8Bit(argv[1]);
    const QString screenshot = QString::fromLocal8Bit(argv[2]);
    const QString id = QString::fromLocal8Bit(argv[3]);

    QString error;
    if (velmoran::desktop::writeIcons(iconRoot, id, &error).isEmpty()) {
        err << "velmoran_desktop_art: " << error << "\n";
        return 1;
    }
    const QImage shot = velmoran::desktop::windowScreenshot();
    if (shot.isNull() || !QDir().mkpath(QFileInfo(screenshot).path()) || !shot.save(screenshot)) {
        err << "velmoran_desktop_art: cannot take the window's screenshot into " << screenshot << "\n";
        return 1;
    }
    return 0;
}
