#include "support/ScriptedMessages.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The engine's tests run without widgets: any question the engine asks goes through the
// scripted message service, and an unscripted one fails the test.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    ScriptedMessages unscripted;
    return RUN_ALL_TESTS();
}
