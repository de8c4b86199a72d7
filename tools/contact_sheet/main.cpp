// contact_sheet OUTPUT.png [RATIO]
// Renders the picture library and lays every picture out on one sheet with
// its name, for looking the artwork over. Prints how long the library took.
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <vector>

#include "shell/art/art_library.h"

namespace {

using velmoran::PictureList;
using velmoran::art::Asset;
using velmoran::art::Look;

struct Item {
    QString name;
    QPixmap picture;
    qreal scale = 1.0;
};

const char* assetName(Asset a) {
    static const char* names[] = {"Background",
                                  "Reel1",
                                  "Reel2",
                                  "Reel3",
                                  "Reel4",
                                  "Reel5",
                                  "LastBetHeading",
                                  "CurrentWinHeading",
                                  "PaylineButton1",
                                  "PaylineButton5",
                                  "PaylineButton10",
                                  "PaylineButton15",
                                  "PaylineButton25",
                                  "CoinsButton",
                                  "DoubleButton",
                                  "BetButton1",
                                  "BetButton2",
                                  "BetButton3",
                                  "BetButton5",
                                  "BetButton10",
                                  "BetButton20",
                                  "NotesButton",
                                  "TakeWinButton",
                                  "RedButton",
                                  "GambleTakeWinButton",
                                  "BlackButton",
                                  "GambleBackdrop",
                                  "GambleWin",
                                  "GambleLose",
                                  "ArrowStrip",
                                  "PayTable",
                                  "Icon"};
    return names[static_cast<int>(a)];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: contact_sheet OUTPUT.png [RATIO]\n";
        return 2;
    }
    const qreal ratio = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 1.0;

    QElapsedTimer timer;
    timer.start();
    const velmoran::art::Library library(ratio > 0 ? ratio : 1.0);
    out << "library ready in " << timer.elapsed() << " ms at ratio " << library.devicePixelRatio() << "\n";

    std::vector<Item> items;
    for (int i = 0; i < velmoran::art::kAssetCount; ++i) {
        const auto a = static_cast<Asset>(i);
        if (a >= Asset::Reel1 && a <= Asset::Reel5) continue;
        if (velmoran::art::isButton(a)) {
            items.push_back({QString::fromLatin1(assetName(a)), library.asset(a, Look::Normal)});
            items.push_back({QStringLiteral("  pressed"), library.asset(a, Look::Pressed)});
            items.push_back({QStringLiteral("  disabled"), library.asset(a, Look::Disabled)});
        } else {
            items.push_back({QString::fromLatin1(assetName(a)), library.asset(a)});
        }
    }
    const struct {
        PictureList list;
        const char* name;
    } lists[] = {{PictureList::linepics, "linepics"},
                 {PictureList::ImageList1, "ImageList1"},
                 {PictureList::ImageList2, "ImageList2"},
                 {PictureList::imglistarrow, "imglistarrow"},
                 {PictureList::imagelistcards, "imagelistcards"}};
    for (const auto& l : lists) {
        for (int k = 1; k <= velmoran::info(l.list).count; ++k) {
            items.push_back(
                {QStringLiteral("%1 %2").arg(QString::fromLatin1(l.name)).arg(k), library.entry(l.list, k)});
        }
    }
    items.push_back({QStringLiteral("ImageList2 3+10"), library.composite(PictureList::ImageList2, 3, 10)});
    items.push_back({QStringLiteral("ImageList2 6+24"), library.composite(PictureList::ImageList2, 6, 24)});
    // The library draws each picture when first asked for; by now it has drawn all.
    out << "every picture drawn after " << timer.elapsed() << " ms\n";

    // Flow layout of the single pictures to the right of the five strips.
    const int stripsWidth = 5 * 60 + 20;
    const int width = 1700, gap = 10, label = 14;
    int x = stripsWidth, y = gap, rowHeight = 0;
    struct Placed {
        QPointF at;
        const Item* item;
    };
    std::vector<Placed> placed;
    for (const auto& item : items) {
        const QSizeF s = item.picture.deviceIndependentSize() * item.scale;
        if (x + s.width() > width - gap) {
            x = stripsWidth;
            y += rowHeight + label + gap;
            rowHeight = 0;
        }
        placed.push_back({QPointF(x, y), &item});
        x += qMax<int>(static_cast<int>(s.width()), 60) + gap;
        rowHeight = qMax(rowHeight, static_cast<int>(s.height()));
    }
    const int height = qMax(y + rowHeight + label + gap, 1450 + 40);

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x50, 0x50, 0x58));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont f;
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(Qt::white);
    for (int reel = 1; reel <= 5; ++reel) {
        const QRectF r(10 + (reel - 1) * 60, 20, 50, 1450);
        p.drawPixmap(r, library.asset(velmoran::art::reelAsset(reel)), QRectF());
        p.drawText(QPointF(r.left(), 14), QStringLiteral("Reel%1").arg(reel));
    }
    for (const auto& pl : placed) {
        const QSizeF s = pl.item->picture.deviceIndependentSize() * pl.item->scale;
        p.drawPixmap(QRectF(pl.at, s), pl.item->picture, QRectF());
        p.drawText(QPointF(pl.at.x(), pl.at.y() + s.height() + 11), pl.item->name);
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        out << "could not write " << argv[1] << "\n";
        return 1;
    }
    out << "wrote " << argv[1] << "\n";
    return 0;
}
