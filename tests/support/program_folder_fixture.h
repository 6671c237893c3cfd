#pragma once
// A temporary shipped folder, a copy of the one the build lays out beside
// the program, and a temporary program folder filled from it as at start, with the
// settings store redirected into it.
#include <QString>
#include <QTemporaryDir>

class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.path() + '/' + relative; }
    QString shipped() const { return shipped_.path(); }
    // Writes a file under the folder (creating folders), bytes as given.
    QString write(const QString& relative, const QByteArray& bytes) const;
    // Writes the shipped folder's sums again, as a build does after a change.
    void writeShippedSums() const;

private:
    QTemporaryDir shipped_;
    QTemporaryDir dir_;
};
