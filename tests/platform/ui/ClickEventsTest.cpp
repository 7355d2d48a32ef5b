#include "platform/ui/ClickEvents.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(ClickEvents, ALeftPressRunsTheActionAndStillReachesTheField) {
    QLineEdit field;
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    int clicks = 0;
    ui::onClick(field, [&] { ++clicks; });

    QTest::mousePress(&field, Qt::RightButton);
    QTest::mouseRelease(&field, Qt::RightButton);
    EXPECT_EQ(clicks, 0);
    QTest::mousePress(&field, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);  // on the press, not on the release
    QTest::mouseRelease(&field, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    // The field had the press as well: it took the focus.
    EXPECT_TRUE(field.hasFocus());
}

TEST(ClickEvents, ADoubleClickActionWaitsForTheSecondClick) {
    QLineEdit field;
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    int doubles = 0;
    ui::onDoubleClick(field, [&] { ++doubles; });

    QTest::mouseClick(&field, Qt::LeftButton);
    EXPECT_EQ(doubles, 0);
    QTest::mouseDClick(&field, Qt::LeftButton);
    EXPECT_EQ(doubles, 1);
    QTest::mouseDClick(&field, Qt::RightButton);
    EXPECT_EQ(doubles, 1);
}
