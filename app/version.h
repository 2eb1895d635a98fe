#pragma once

#include <QString>

namespace quendal::app {

// The program's version, from the project's build description.
inline constexpr int kVersionMajor = QUENDAL_VERSION_MAJOR;
inline constexpr int kVersionMinor = QUENDAL_VERSION_MINOR;
inline constexpr int kVersionRevision = QUENDAL_VERSION_PATCH;

inline QString versionText() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

}  // namespace quendal::app
