#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QColor base(const QWidget& widget) {
    return widget.palette().color(QPalette::Base);
}

// A shown, active window with two text boxes and a note box, as a form would have.
class FocusForm : public ::testing::Test {
protected:
    void SetUp() override {
        ui::installFocusColours();
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(notes);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        first->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(first->hasFocus());
    }

    QWidget window;
    QLineEdit* first = new QLineEdit;
    QLineEdit* second = new QLineEdit;
    QPlainTextEdit* notes = new QPlainTextEdit;
};

// Records why a widget lost the focus, to show that the case under test really happened.
class FocusOutReasons : public QObject {
public:
    explicit FocusOutReasons(QWidget& widget) { widget.installEventFilter(this); }
    std::vector<Qt::FocusReason> reasons;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut)
            reasons.push_back(static_cast<QFocusEvent*>(event)->reason());
        return false;
    }
};

void switchTo(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

const QColor cyan = ui::bgr(ui::BgrCyan);
const QColor white = ui::bgr(ui::BgrWhite);

}  // namespace

TEST(Colours, BgrConstantsAreReadBlueGreenRed) {
    EXPECT_EQ(ui::bgr(ui::BgrYellow), QColor(Qt::yellow));
    EXPECT_EQ(ui::bgr(ui::BgrCyan), QColor(Qt::cyan));
    EXPECT_EQ(ui::bgr(ui::BgrWhite), QColor(Qt::white));
    EXPECT_EQ(ui::bgr(0x0000FF), QColor(Qt::red));
    EXPECT_EQ(ui::bgr(0xFF0000), QColor(Qt::blue));
    EXPECT_EQ(ui::bgr(0x804020), QColor(0x20, 0x40, 0x80));
}

TEST_F(FocusForm, TheFieldWithTheFocusIsCyanAndTheOneLeftWhite) {
    EXPECT_EQ(base(*first), cyan);
    QTest::keyClick(first, Qt::Key_Tab);
    ASSERT_TRUE(second->hasFocus());
    EXPECT_EQ(base(*first), white);
    EXPECT_EQ(base(*second), cyan);
    QTest::mouseClick(notes->viewport(), Qt::LeftButton);
    ASSERT_TRUE(notes->hasFocus());
    EXPECT_EQ(base(*second), white);
    EXPECT_EQ(base(*notes), cyan);
}

TEST_F(FocusForm, APopupOrAnotherWindowDoesNotLeaveTheField) {
    FocusOutReasons focusOut(*first);
    QMenu menu;
    menu.addAction(QStringLiteral("Voce"));
    menu.popup(window.mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_EQ(base(*first), cyan);
    menu.close();

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(base(*first), cyan);
    EXPECT_EQ(focusOut.reasons,
              (std::vector<Qt::FocusReason>{Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}));
}

TEST_F(FocusForm, AnEditableComboKeepsItsColourWhileItsListIsOpen) {
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->addItems({QStringLiteral("uno"), QStringLiteral("due")});
    combo->show();
    combo->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(base(*first), white);
    EXPECT_EQ(base(*combo), cyan);
    combo->showPopup();
    EXPECT_EQ(base(*combo), cyan);
    combo->hidePopup();
    EXPECT_EQ(base(*combo), cyan);
}

TEST_F(FocusForm, FocusHandlersRunOnlyWhenTheUserEntersOrLeaves) {
    int got = 0;
    int lost = 0;
    ui::onFocusChange(*second, [&] { ++got; }, [&] { ++lost; });

    second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(got, 1);

    QMenu menu;
    menu.addAction(QStringLiteral("Voce"));
    menu.popup(window.mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return second->hasFocus(); }));

    QWidget other;
    other.show();
    switchTo(other);
    switchTo(window);
    ASSERT_TRUE(second->hasFocus());
    EXPECT_EQ(got, 1);
    EXPECT_EQ(lost, 0);

    first->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(lost, 1);

    // Closing the window with the focus in the field and opening it again enters it afresh.
    second->setFocus(Qt::TabFocusReason);
    window.hide();
    window.show();
    // The offscreen platform reactivates a window shown again only after another one was active.
    switchTo(other);
    switchTo(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return second->hasFocus(); }));
    EXPECT_EQ(got, 3);
    EXPECT_EQ(lost, 1);
}
