#pragma once
// The per-user settings store: one fixed application name, section "labels".
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace settings {

QString GetSetting(const QString& key);
void SaveSetting(const QString& key, const QString& value);

// Several keys with one read or one write of the store.
QStringList GetSettings(const QStringList& keys);
void SaveSettings(const std::vector<std::pair<QString, QString>>& values);

// Tests keep their settings in a file of their own.
void redirectTo(const QString& iniFile);

}  // namespace settings
