#include "platform/ui/RefillCombo.h"
#include "support/QtPrinters.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using ui::ComboRow;
using ui::RefillCombo;

namespace {

class ComboForm : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(combo);
        combo->setRefill([this] {
            ++refills;
            return rows;
        });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus(Qt::TabFocusReason);
    }

    QStringList items() const {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }

    QWidget window;
    QLineEdit* field = new QLineEdit;
    RefillCombo* combo = new RefillCombo;
    std::vector<ComboRow> rows{{"Rossi Mario", "C001"}, {"Bianchi Luca", "C002"}};
    int refills = 0;
};

}  // namespace

TEST_F(ComboForm, EnteringTheComboRebuildsItsListAndKeepsTheText) {
    combo->setEditText(QStringLiteral("Bia"));
    QSignalSpy textChanged(combo, &QComboBox::currentTextChanged);
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_TRUE(combo->hasFocus());

    EXPECT_EQ(refills, 1);
    EXPECT_EQ(items(), (QStringList{"Rossi Mario", "Bianchi Luca"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Bia"));
    EXPECT_EQ(textChanged.count(), 0);

    // The list comes anew from its source each time the user comes back.
    rows.push_back({"Verdi Anna", "C003"});
    field->setFocus(Qt::MouseFocusReason);
    combo->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(refills, 2);
    EXPECT_EQ(items().size(), 3);
}

TEST_F(ComboForm, OpeningTheListDoesNotRefillIt) {
    combo->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(refills, 1);
    combo->showPopup();
    combo->hidePopup();
    EXPECT_TRUE(QTest::qWaitFor([&] { return combo->hasFocus(); }));
    EXPECT_EQ(refills, 1);
}

TEST_F(ComboForm, BoundValueIsTheCodeOfTheMatchingRow) {
    combo->setRows(rows);
    struct Case {
        const char* text;
        std::optional<QString> bound;
    };
    const Case cases[] = {
        {"Bianchi Luca", QStringLiteral("C002")},
        {"ROSSI MARIO", QStringLiteral("C001")},
        {"Rossi", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        combo->setEditText(QString::fromUtf8(c.text));
        EXPECT_EQ(combo->boundValue(), c.bound) << c.text;
    }
}

TEST_F(ComboForm, TypedTextStaysAsTyped) {
    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(combo, QStringLiteral("Ros"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Ros"));
    EXPECT_EQ(combo->count(), 2);
}
