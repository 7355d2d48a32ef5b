#include "platform/system/MessageService.h"
#include "platform/ui/QtMessageService.h"
#include "support/ModalHelper.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <gtest/gtest.h>

using ui::Answer;
using ui::Buttons;
using ui::MessageService;

namespace {

// These tests reach the real dialogs, which the test program otherwise keeps out of the way.
class QtDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ui::installQtMessages();
        MessageService::install(nullptr);
    }
    void TearDown() override { MessageService::install(previous_); }

private:
    MessageService* previous_ = MessageService::installed();
};

}  // namespace

TEST_F(QtDialogs, MessageBoxOffersTheButtonsAndReturnsTheOneClicked) {
    struct Case {
        Buttons buttons;
        std::vector<QMessageBox::StandardButton> shown;
        std::vector<Answer> answers;
    };
    const Case cases[] = {
        {Buttons::Ok, {QMessageBox::Ok}, {Answer::Ok}},
        {Buttons::OkCancel, {QMessageBox::Ok, QMessageBox::Cancel}, {Answer::Ok, Answer::Cancel}},
        {Buttons::YesNo, {QMessageBox::Yes, QMessageBox::No}, {Answer::Yes, Answer::No}},
        {Buttons::YesNoCancel, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
         {Answer::Yes, Answer::No, Answer::Cancel}},
        {Buttons::RetryCancel, {QMessageBox::Retry, QMessageBox::Cancel}, {Answer::Retry, Answer::Cancel}},
        {Buttons::AbortRetryIgnore, {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore},
         {Answer::Abort, Answer::Retry, Answer::Ignore}},
    };
    for (const Case& c : cases) {
        for (size_t pick = 0; pick < c.shown.size(); ++pick) {
            ModalHelper modal;
            QMessageBox::StandardButtons offered;
            modal.onNextModal([&](QWidget* window) {
                auto* box = qobject_cast<QMessageBox*>(window);
                ASSERT_NE(box, nullptr);
                offered = box->standardButtons();
                box->button(c.shown[pick])->click();
            });
            EXPECT_EQ(MessageService::show("Testo", "TITOLO", c.buttons), c.answers[pick]);
            QMessageBox::StandardButtons expected;
            for (auto button : c.shown)
                expected |= button;
            EXPECT_EQ(offered, expected);
        }
    }
}

TEST_F(QtDialogs, MessageBoxShowsTitleIconDefaultButtonAndPlainText) {
    ModalHelper modal;
    modal.onNextModal([](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("GESTIONE DEGLI ERRORI"));
        EXPECT_EQ(box->text(), QStringLiteral("Campo <b>x</b>"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Retry));
        box->defaultButton()->click();
    });
    EXPECT_EQ(MessageService::show("Campo <b>x</b>", "GESTIONE DEGLI ERRORI", Buttons::AbortRetryIgnore,
                                   ui::Icon::Critical, 1),
              Answer::Retry);
}

TEST_F(QtDialogs, MessageBoxWithoutTitleShowsTheApplicationName) {
    const QString saved = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("FASCOLA"));
    ModalHelper modal;
    QString title;
    modal.onNextModal([&](QWidget* window) {
        title = window->windowTitle();
        qobject_cast<QMessageBox*>(window)->button(QMessageBox::Ok)->click();
    });
    MessageService::show("Fatto");
    QGuiApplication::setApplicationDisplayName(saved);
    EXPECT_EQ(title, QStringLiteral("FASCOLA"));
}

TEST_F(QtDialogs, InputBoxReturnsTheTextOrNothingWhenCancelled) {
    ModalHelper modal;
    modal.onNextModal([](QWidget* window) {
        auto* dialog = qobject_cast<QInputDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->labelText(), QStringLiteral("Numero del documento"));
        EXPECT_EQ(dialog->textValue(), QStringLiteral("12"));
        dialog->setTextValue(QStringLiteral("15"));
        dialog->accept();
    });
    modal.onNextModal([](QWidget* window) { qobject_cast<QDialog*>(window)->reject(); });
    EXPECT_EQ(MessageService::current().input("Numero del documento", "NUMERO", "12"),
              QStringLiteral("15"));
    EXPECT_EQ(MessageService::current().input("Numero del documento", "NUMERO", "12"), std::nullopt);
}

TEST_F(QtDialogs, SaveChooserTranslatesTheFilterAndAddsTheDefaultExtension) {
    TempDir dir;
    ui::FileRequest request;
    request.title = QStringLiteral("Scegliere l'archivio");
    request.filter = QStringLiteral("Archivi (*.mdb) |*.mdb|Tutti i file|*.*");
    request.filterIndex = 2;
    request.defaultExtension = QStringLiteral(".mdb");
    request.initialPath = dir.path();
    request.save = true;

    ModalHelper modal;
    modal.onNextModal([](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Scegliere l'archivio"));
        EXPECT_EQ(dialog->nameFilters(),
                  (QStringList{QStringLiteral("Archivi (*.mdb)"), QStringLiteral("Tutti i file (*.*)")}));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Tutti i file (*.*)"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        QTest::keyClicks(name, QStringLiteral("nuovo"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_EQ(MessageService::current().chooseFile(request), dir.file(QStringLiteral("nuovo.mdb")));
}

TEST_F(QtDialogs, CancelledChoosersReturnNothing) {
    ModalHelper modal;
    modal.onNextModal([](QWidget* window) { qobject_cast<QDialog*>(window)->reject(); });
    modal.onNextModal([](QWidget* window) { qobject_cast<QDialog*>(window)->reject(); });
    ui::FileRequest request;
    request.mustExist = true;
    EXPECT_EQ(MessageService::current().chooseFile(request), std::nullopt);
    EXPECT_EQ(MessageService::current().chooseFolder("Cartella", QDir::tempPath()), std::nullopt);
}
