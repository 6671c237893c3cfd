#pragma once
#include <QString>

// The one version text, wherever the program shows its version: the build
// label and the major.minor.revision numbers, both set by the build.
inline QString versionText() { return QStringLiteral(BENCHDECK_VERSION_TEXT); }
inline QString versionNumber() { return QStringLiteral(BENCHDECK_VERSION_NUMBER); }
inline QString boardCaption() { return QStringLiteral("Scorvana Benchdeck (") + versionText() + QStringLiteral(")"); }
// The About box's line: "Version 1.0.2   [Build025]".
inline QString versionLine()
{
    return QStringLiteral("Version ") + versionNumber() + QStringLiteral("   [") + versionText() + QStringLiteral("]");
}
