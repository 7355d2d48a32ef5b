#include "platform/ui/FocusEvents.h"
#include "platform/ui/QtTranslations.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs this program at build time, outside ctest's environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ui::installFocusColours();
    // Qt's own dialogs and buttons in Italian, as the program shows them.
    ui::installItalianQtTranslations();
    // A test that does not script its questions fails on the first one instead of waiting
    // forever on a real message box.
    ScriptedMessages unscripted;
    return RUN_ALL_TESTS();
}
