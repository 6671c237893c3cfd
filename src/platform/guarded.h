#pragma once
// The one way a handler meets an unexpected failure: the critical
// "Program Error" box, asked through the interaction seam, and the handler
// returns. Nothing escapes to the event loop.
#include "common/guard.h"

#include <QString>
#include <functional>

void showProgramError(int number, const QString& description);

// Runs a handler; a failure shows the "Program Error" box. Returns false when
// the handler failed.
bool guarded(const std::function<void()>& handler);
