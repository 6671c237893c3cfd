#include "common/guard.h"

namespace errors {

QString describe(int number)
{
    switch (number) {
    case InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case OutOfMemory: return QStringLiteral("Out of memory");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case FileNotFound: return QStringLiteral("File not found");
    case FileAccess: return QStringLiteral("Path/File access error");
    case InvalidPropertyValue: return QStringLiteral("Invalid property value");
    case InvalidPicture: return QStringLiteral("Invalid picture");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

void raise(int number)
{
    throw ProgramError(number, describe(number));
}

}  // namespace errors

QString programErrorText(int number, const QString& description)
{
    return QStringLiteral("The following error has occurred: ") + QString::number(number) + QStringLiteral(", ")
        + description;
}
