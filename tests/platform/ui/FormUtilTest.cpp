#include "platform/ui/FormUtil.h"

#include <QButtonGroup>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "support/ScriptedMessages.h"

TEST(FormUtil, OptionsStandForTheirValues) {
    QWidget form;
    QButtonGroup group;
    QRadioButton* options[] = {ui::valueOption("OptA", "A", "M"), ui::valueOption("OptB", "B", "D"),
                               ui::valueOption("OptC", "C", "P")};
    auto* layout = new QVBoxLayout(&form);
    for (QRadioButton* o : options) {
        group.addButton(o);
        layout->addWidget(o);
    }
    EXPECT_EQ(options[1]->objectName(), "OptB");
    EXPECT_EQ(ui::checkedValue(group), QString());

    ui::checkValue(group, "D");
    EXPECT_TRUE(options[1]->isChecked());
    EXPECT_EQ(ui::checkedValue(group), "D");
    // A value no option stands for, the empty one too, leaves the choice as it was.
    for (const char* other : {"X", ""}) {
        ui::checkValue(group, other);
        EXPECT_EQ(ui::checkedValue(group), "D") << other;
    }

    ui::uncheckAll(group);
    EXPECT_EQ(ui::checkedValue(group), QString());
    for (QRadioButton* o : options) EXPECT_FALSE(o->isChecked());
    // Still one option at a time afterwards.
    options[0]->setChecked(true);
    options[2]->setChecked(true);
    EXPECT_FALSE(options[0]->isChecked());
    EXPECT_EQ(ui::checkedValue(group), "P");
}

TEST(FormUtil, ARefusalShowsItsMessageAndSendsTheUserToTheField) {
    QWidget form;
    auto* first = new QLineEdit(&form);
    auto* second = new QLineEdit(&form);
    new QVBoxLayout(&form);
    form.layout()->addWidget(first);
    form.layout()->addWidget(second);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    first->setFocus();

    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, QStringLiteral("Definire il cliente"));
    EXPECT_FALSE(ui::refuse(*second, "Definire il cliente"));
    EXPECT_TRUE(second->hasFocus());
}

TEST(FormUtil, CommandButtonsAreNeverPressedByEnter) {
    QPushButton* b = ui::commandButton("CmdConferma", "CONFERMA");
    EXPECT_EQ(b->objectName(), "CmdConferma");
    EXPECT_EQ(b->text(), "CONFERMA");
    EXPECT_FALSE(b->autoDefault());
    delete b;
}

// Enter typed in a field presses the confirming button, or none: never the SFOGLIA that comes
// first in the focus order, nor a button the focus passed over on its way back to the field.
TEST(FormUtil, EnterInAFieldPressesTheConfirmingButtonOrNone) {
    for (const bool conConferma : {false, true}) {
        SCOPED_TRACE(conConferma);
        QDialog dialog;
        auto* campo = new QLineEdit;
        auto* sfoglia = new QPushButton("SFOGLIA");
        auto* conferma = new QPushButton("CONFERMA");
        auto* rinuncia = new QPushButton("RINUNCIA");
        auto* layout = new QVBoxLayout(&dialog);
        for (QWidget* w : std::initializer_list<QWidget*>{campo, sfoglia, conferma, rinuncia}) layout->addWidget(w);
        ui::enterPresses(dialog, conConferma ? conferma : nullptr);
        QStringList premuti;
        for (QPushButton* b : {sfoglia, conferma, rinuncia})
            QObject::connect(b, &QPushButton::clicked, [&premuti, b] { premuti << b->text(); });
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_Return);
        for (QPushButton* b : {sfoglia, rinuncia}) b->setFocus();
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_Enter);
        EXPECT_EQ(premuti, conConferma ? QStringList({"CONFERMA", "CONFERMA"}) : QStringList());
        for (QPushButton* b : {sfoglia, rinuncia}) EXPECT_FALSE(b->isDefault()) << b->text().toStdString();
    }
}
