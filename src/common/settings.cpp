#include "common/settings.h"

#include "common/program_folder.h"

#include <QSettings>
#include <memory>

namespace settings {
namespace {

QString& redirectedFile()
{
    static QString file;
    return file;
}

std::unique_ptr<QSettings> open()
{
    if (!redirectedFile().isEmpty())
        return std::make_unique<QSettings>(redirectedFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QLatin1String(folder::organisationName), QLatin1String(folder::applicationName));
}

}  // namespace

QString GetSetting(const QString& key)
{
    auto s = open();
    s->beginGroup(QStringLiteral("labels"));
    return s->value(key, QString()).toString();
}

void SaveSetting(const QString& key, const QString& value)
{
    auto s = open();
    s->beginGroup(QStringLiteral("labels"));
    s->setValue(key, value);
    s->endGroup();
    s->sync();
}

QStringList GetSettings(const QStringList& keys)
{
    auto s = open();
    s->beginGroup(QStringLiteral("labels"));
    QStringList values;
    for (const QString& key : keys)
        values << s->value(key, QString()).toString();
    return values;
}

void SaveSettings(const std::vector<std::pair<QString, QString>>& values)
{
    auto s = open();
    s->beginGroup(QStringLiteral("labels"));
    for (const auto& [key, value] : values)
        s->setValue(key, value);
    s->endGroup();
    s->sync();
}

void redirectTo(const QString& iniFile)
{
    redirectedFile() = iniFile;
}

}  // namespace settings
