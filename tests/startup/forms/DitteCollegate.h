#pragma once
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <QFileInfo>

#include "fixtures/AccountingFixture.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/Paths.h"
#include "startup/engine/Installazione.h"

// The accounting side of a linked installation in the start folder, for the dialogs that
// choose a company and a year: the sample company ROSSI (2004 archive) and company
// BIANCHI (2005 archive). Fields are entered and typed in as a user does it.
class DitteCollegate : public Installazione {
protected:
    DitteCollegate() : contab(cartella.path()) {
        contab.creaCampione();
        contab.aggiungiDitta("BIANCHI", 12);
        contab.creaArchivio("BIANCHI", "2005");
    }

    static void entra(QWidget* w) { w->setFocus(Qt::MouseFocusReason); }
    static void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    // `testo` typed over what the box holds.
    static void scrivi(QLineEdit* box, const QString& testo) {
        entra(box);
        box->selectAll();
        QTest::keyClicks(box, testo);
    }
    static void scrivi(QComboBox* combo, const QString& testo) { scrivi(combo->lineEdit(), testo); }

    // The files the program's session works on now: the case-file archive, and the accounting
    // archive attached to it ("" when none).
    static std::pair<QString, QString> fileDellaSessione() {
        auto file = [](const char* schema) {
            const QString f = ArchivioInUso()
                                  ->scalar("SELECT file FROM pragma_database_list WHERE name = ?", {schema})
                                  .textOr(QString());
            return f.isEmpty() ? f : QFileInfo(f).canonicalFilePath();
        };
        return {file("main"), file(SchemaContabile)};
    }
    static QString canonico(const QString& path) { return QFileInfo(sys::LocalPath(path)).canonicalFilePath(); }

    AccountingFixture contab;
};
