#include "shell/window/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace velmoran::shell {

void installFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    const QStringList files{
        QStringLiteral(":/fonts/ComicNeue-Bold.otf"),       QStringLiteral(":/fonts/ComicNeue-Regular.otf"),
        QStringLiteral(":/fonts/LiberationSerif-Bold.ttf"), QStringLiteral(":/fonts/LiberationSerif-Regular.ttf"),
        QStringLiteral(":/fonts/LiberationSans-Bold.ttf"),  QStringLiteral(":/fonts/LiberationSans-Regular.ttf"),
        QStringLiteral(":/fonts/DejaVuSerif-Bold.ttf"),
    };
    for (const auto& f : files) QFontDatabase::addApplicationFont(f);
    QFont::insertSubstitution(QString::fromLatin1(kComic), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QString::fromLatin1(kTimes), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QString::fromLatin1(kSans), QStringLiteral("Liberation Sans"));
}

QFont layoutFont(const char* family, double points, bool bold) {
    QFont f(QString::fromLatin1(family));
    // Pixel sizes keep the layout's proportions whatever the screen reports.
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

}  // namespace velmoran::shell
