#include "support/fake_opener.h"

#include <QFile>

FakeOpener::FakeOpener(std::optional<int> exitCode) : path_(qgetenv("PATH"))
{
    if (exitCode) {
        QFile script(dir_.filePath("xdg-open"));
        script.open(QIODevice::WriteOnly);
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/handed\"\nexit %1\n")
                         .arg(*exitCode)
                         .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", QFile::encodeName(dir_.path()) + (exitCode ? ':' + path_ : QByteArray()));
}

FakeOpener::~FakeOpener()
{
    qputenv("PATH", path_);
}

QString FakeOpener::handed() const
{
    QFile f(dir_.filePath("handed"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
