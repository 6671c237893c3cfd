#pragma once
// The program's own failures: the error a step throws, its number and
// description, and the text of the "Program Error" box that reports it.
#include <QString>
#include <exception>

struct ProgramError : std::exception {
    ProgramError(int number, QString description) : number(number), description(std::move(description)) {}
    const char* what() const noexcept override { return "ProgramError"; }
    int number;
    QString description;
};

namespace errors {
// The small fixed catalogue of our own failures.
enum : int {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    FileNotFound = 53,
    FileAccess = 75,
    InvalidPropertyValue = 380,
    InvalidPicture = 481,
};
QString describe(int number);
[[noreturn]] void raise(int number);
}  // namespace errors

// Text of the box: "The following error has occurred: N, description".
QString programErrorText(int number, const QString& description);
