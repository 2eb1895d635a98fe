#include "app/credits.h"

#include <limits>

namespace quendal::app {

std::int16_t nextCreditTick(std::int16_t tick) {
    if (tick == std::numeric_limits<std::int16_t>::max()) return 0;
    return static_cast<std::int16_t>(tick + 1);
}

int creditIndex(std::int16_t tick) {
    // A negative tick (never produced, but the type allows it) still names
    // a filled position.
    return ((tick % 4) + 4) % 4;
}

QString aboutText(int major, int minor, int revision) {
    const QString names = QStringLiteral("           ");  // eleven spaces
    const QStringList lines{
        QStringLiteral("     Quendal"),
        QStringLiteral("           Version %1.%2.%3").arg(major).arg(minor).arg(revision),
        QString(),
        QStringLiteral("   Designed & Developed by"),
        names + kCreditNames[0],
        names + kCreditNames[1],
        names + kCreditNames[2],
        names + kCreditNames[3],
        QString(),
        QStringLiteral("     Under the Guidance of "),
        names + QStringLiteral("The Quendal project"),
        names + QStringLiteral("Teaching tools for digital logic"),
        names + QStringLiteral("Combinational logic design course"),
    };
    return lines.join(QLatin1Char('\n'));
}

}  // namespace quendal::app
