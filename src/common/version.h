#pragma once
#include <QString>

// The one version text, wherever the program shows its version.
inline QString versionText() { return QStringLiteral(BENCHDECK_VERSION_TEXT); }
inline QString boardCaption() { return QStringLiteral("Scorvana Benchdeck (") + versionText() + QStringLiteral(")"); }
