// Qt's own dialogs speak Italian once the translations are loaded (the test program loads
// them at start, as the program does).
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>

#include "platform/ui/QtTranslations.h"

namespace {

TEST(QtTranslations, StandardButtonsAreItalian) {
    const std::pair<QMessageBox::StandardButton, QString> casi[] = {
        {QMessageBox::Yes, "&Sì"},          {QMessageBox::No, "&No"},
        {QMessageBox::Cancel, "Annulla"},   {QMessageBox::Abort, "Interrompi"},
        {QMessageBox::Retry, "Riprova"},    {QMessageBox::Ignore, "Ignora"},
        {QMessageBox::Close, "Chiudi"},
    };
    QMessageBox box;
    QDialogButtonBox pulsanti;
    for (const auto& [pulsante, testo] : casi) {
        box.addButton(pulsante);
        pulsanti.addButton(QDialogButtonBox::StandardButton(int(pulsante)));
        EXPECT_EQ(box.button(pulsante)->text(), testo) << int(pulsante);
        EXPECT_EQ(pulsanti.button(QDialogButtonBox::StandardButton(int(pulsante)))->text(), testo) << int(pulsante);
    }
}

TEST(QtTranslations, PrintPreviewIsItalian) {
    QPrintPreviewDialog anteprima;
    QStringList azioni;
    for (const QAction* a : anteprima.findChildren<QAction*>())
        if (!a->text().isEmpty()) azioni << a->text();
    for (const QString& testo : {QString("Pagina successiva"), QString("Pagina precedente"), QString("Stampa"),
                                 QString("Prima pagina"), QString("Ultima pagina")})
        EXPECT_TRUE(azioni.contains(testo)) << testo.toStdString() << " in " << azioni.join(" | ").toStdString();
    EXPECT_EQ(anteprima.windowTitle(), "Anteprima di stampa");
}

// Loading them twice does no harm; the texts are found in Qt's translations folder.
TEST(QtTranslations, AreFoundInQtsTranslationsFolder) {
    EXPECT_TRUE(ui::installItalianQtTranslations());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annulla");
}

}  // namespace
