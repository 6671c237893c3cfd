#pragma once
// Puts a stand-in for the desktop's opener first on PATH for a scope: it
// writes the argument it was handed beside itself and ends with the code
// given; without a code there is no opener at all.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

class FakeOpener {
public:
    explicit FakeOpener(std::optional<int> exitCode);
    ~FakeOpener();
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;

    // What the last opener run was handed ("" before any).
    QString handed() const;

private:
    QTemporaryDir dir_;
    QByteArray path_;
};
