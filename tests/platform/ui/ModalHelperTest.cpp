#include "support/ModalHelper.h"
#include "support/QtPrinters.h"

#include <QDialog>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(ModalHelper, ActsOnEachModalWindowInTurnIncludingNestedOnes) {
    QDialog outer;
    outer.setWindowTitle(QStringLiteral("esterna"));
    QDialog inner(&outer);
    inner.setWindowTitle(QStringLiteral("interna"));
    QStringList seen;
    int innerResult = -1;

    ModalHelper modal;
    modal.onNextModal([&](QWidget* window) {
        seen << window->windowTitle();
        innerResult = inner.exec();
        outer.accept();
    });
    modal.onNextModal([&](QWidget* window) {
        seen << window->windowTitle();
        inner.accept();
    });

    EXPECT_EQ(outer.exec(), QDialog::Accepted);
    EXPECT_EQ(innerResult, QDialog::Accepted);
    EXPECT_EQ(seen, (QStringList{"esterna", "interna"}));
    EXPECT_EQ(modal.pending(), 0);
}

TEST(ModalHelper, AModalWindowLeftOpenFailsAndIsClosed) {
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("dimenticata"));
    int result = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            ModalHelper modal(100);
            result = dialog.exec();
        },
        "dimenticata");
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST(ModalHelper, AnExpectedModalWindowThatNeverOpensFails) {
    EXPECT_NONFATAL_FAILURE(
        {
            ModalHelper modal;
            modal.onNextModal([](QWidget*) {});
        },
        "never opened");
}
