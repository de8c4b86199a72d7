#include "shell/art/pay_table_text.h"

#include "reels/paytable.h"

namespace velmoran::art {

QStringList linePayLines(Symbol s) {
    QStringList lines;
    for (int run = 5; run >= 2; --run) {
        const int pay = linePay(s, run);
        if (pay > 0) lines << QStringLiteral("%1 x %2").arg(run).arg(pay);
    }
    return lines;
}

QStringList scatterPayLines() {
    QStringList lines;
    for (int count = 5; count >= 0; --count) {
        const int factor = scatterPay(count).factor;
        if (factor > 0) lines << QStringLiteral("%1 x %2").arg(count).arg(factor);
    }
    return lines;
}

QStringList freeSpinLines() {
    QStringList lines;
    for (int count = 0; count <= 5; ++count) {
        const int spins = scatterPay(count).freespins;
        if (spins > 0) lines << QStringLiteral("%1 = %2 free spins").arg(count).arg(spins);
    }
    return lines;
}

QStringList featureRules() {
    return {
        QStringLiteral("WILD appears on reels 2, 3 and 4, substitutes for every line symbol"),
        QStringLiteral("and holds its reel for the next spin."),
        QStringLiteral("Free spin wins with a WILD are multiplied by x2, x3, x5 or x10."),
        QStringLiteral("Line pays are coins per coin bet on the line; scatters pay the total bet."),
    };
}

}  // namespace velmoran::art
