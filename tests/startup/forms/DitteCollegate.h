#pragma once
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "fixtures/AccountingFixture.h"
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

    AccountingFixture contab;
};
