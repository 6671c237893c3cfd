#pragma once
// A temporary program folder laid out by the same generator as the real one,
// with the settings store redirected into it.
#include <QString>
#include <QTemporaryDir>

class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.path() + '/' + relative; }
    // Writes a file under the folder (creating folders), bytes as given.
    QString write(const QString& relative, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};
