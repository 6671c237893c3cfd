#pragma once
// The per-user settings store: one fixed application name, section "labels".
#include <QString>

namespace settings {

QString GetSetting(const QString& key);
void SaveSetting(const QString& key, const QString& value);

// Tests keep their settings in a file of their own.
void redirectTo(const QString& iniFile);

}  // namespace settings
