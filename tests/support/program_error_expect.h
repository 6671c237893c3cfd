#pragma once
// Expects a ProgramError from a piece of work and returns it, so a test can
// check its number and description; a run that throws nothing fails the test.
#include "common/guard.h"

#include <gtest/gtest.h>

template <class F>
ProgramError failureOf(F&& f)
{
    try {
        f();
    } catch (const ProgramError& e) {
        return e;
    }
    ADD_FAILURE() << "no ProgramError was thrown";
    return ProgramError(0, QString());
}
