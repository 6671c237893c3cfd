#pragma once
// What every benchmark program's main does first: the test programs'
// environment (offscreen windows unless a platform is named, test-mode
// paths, the C locale, the readers' memory), the application, a temporary
// program folder laid out by the generator, and the scripted interaction,
// so no prompt ever blocks a run. Declared first thing in main.
#include "platform/database_threads.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"
#include "support/test_environment.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

class BenchSetup {
    // Set before the application exists, so it is the first member.
    struct Environment {
        Environment()
        {
            db::prepareMemoryForReaders();
            testenv::pinForTests();
            // Each figure shows as it is measured, also when kept in a file.
            std::setvbuf(stdout, nullptr, _IOLBF, 0);
        }
    } environment_;

public:
    BenchSetup(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
    TempProgramFolder folder;
    ScriptedInteraction ui;
};

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
