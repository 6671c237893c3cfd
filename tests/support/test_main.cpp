// The main of every test program: offscreen windows (the test list is read at
// build time too, with no display), a pinned locale, and test-mode paths.
#include "platform/database_threads.h"
#include "support/test_environment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    db::prepareMemoryForReaders();
    testenv::pinForTests();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
