#pragma once
// The program's own modules (lib/benchdeck/ beside the executable in a build
// tree, or under the install prefix), each loaded at its first use: the
// libraries they bring cost every start, and most starts need none of them.
#include <QString>
#include <QtGlobal>

namespace platform::detail {

// The module's entry point of that name; nullptr when the module is missing,
// cannot be loaded or has no such entry, with the reason in *why.
QFunctionPointer moduleEntry(const char* fileName, const char* entry, QString* why = nullptr);

}  // namespace platform::detail
