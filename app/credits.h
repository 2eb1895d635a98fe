#pragma once

#include <array>
#include <cstdint>

#include <QString>
#include <QStringList>

namespace quendal::app {

// The credit line of the login form: four names shown in rotation, one per
// timer tick (the first tick shows position 1).
inline const std::array<QString, 5> kCreditNames{
    QStringLiteral("The Quendal team"),
    QStringLiteral("Quendal logic minimizer"),
    QStringLiteral("Quendal circuit drawings"),
    QStringLiteral("Quendal user interface"),
    QString(),  // position 4 is never filled
};

// The tick counter is 16 bits and outlives the form. It wraps from 32767 to
// 0 rather than overflowing; 32768 is a multiple of four, so the rotation
// goes on without a jump.
std::int16_t nextCreditTick(std::int16_t tick);
int creditIndex(std::int16_t tick);

// The lines of the About box, joined by line breaks.
QString aboutText(int major, int minor, int revision);

}  // namespace quendal::app
