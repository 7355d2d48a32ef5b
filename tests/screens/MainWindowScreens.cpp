#include <gtest/gtest.h>

#include <QDir>

#include "casefiles/FrmFascola.h"

TEST(Screens, MainWindow) {
    QDir().mkpath(SCREENS_DIR);
    FrmFascola window;
    window.show();
    const QString file = QDir(SCREENS_DIR).filePath("FrmFascola.png");
    ASSERT_TRUE(window.grab().save(file));
    EXPECT_EQ(window.windowTitle(), "FASCOLE & FATTURAZIONE");
}
