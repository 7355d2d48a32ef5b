// An amount or factor box of the invoice tab holding a text that is no number in figures
// ("abc", or "1.2OO,00" with a letter O for a zero) stops AGGIUNGI and CORREGGI as on the
// fee-item tab: a message names the box, the focus goes back to it, and the lines and totals
// stay as they were. A factor typed is read back from its line as it was read when typed.
#include <gtest/gtest.h>

#include "fees/engine/DefaultCompetenza.h"
#include "invoice/forms/TabFatturaFixture.h"
#include "platform/system/BasicRuntime.h"

namespace {

using tab_fattura::TabFatturaFixture;

enum Box { Importo, Fattore, Impofatt };

const QStringList NonInCifre = {"abc", "1.2OO,00", "12 euro", "   "};
const QString ImpofattInCifre = "definire in cifre l'importo da fatturare";

// A box of an element's line, and the message that names it.
struct BoxDellElemento {
    const char* elemento;
    Box box;
    QString messaggio;
};

class TabFatturaInCifre : public TabFatturaFixture {
protected:
    QLineEdit* box(Box quale) {
        QLineEdit* const boxes[] = {t().F_TxtImporto, t().F_TxtFattore, t().F_TxtImpofatt};
        return boxes[quale];
    }

    // What the table and the totals under the grid hold.
    QStringList stato() {
        QStringList s;
        for (const RigaFattura& r : fattura().RigheFattura)
            s << r.elemento + "|" + QString::fromStdString(r.impofat.toPlainString());
        return s << t().F_LblTotale->text() << t().F_LblIva->text();
    }

    // `comando` clicked with `testo` in `quale`: the one message, the focus on the box, the
    // text kept to be put right, and nothing changed.
    void rifiuta(QPushButton* comando, Box quale, const QString& testo, const QString& messaggio) {
        const QStringList prima = stato();
        ScriptedMessages messaggi;
        messaggi.expectMessage(ui::Answer::Ok, messaggio, QString());
        clic(comando);
        EXPECT_EQ(messaggi.pending(), 0);
        EXPECT_EQ(messaggi.asked().size(), 1u);
        EXPECT_TRUE(box(quale)->hasFocus());
        EXPECT_EQ(box(quale)->text(), testo);
        EXPECT_EQ(stato(), prima);
    }
};

TEST_F(TabFatturaInCifre, AggiungiRefusesABoxThatHoldsNoNumberInFigures) {
    apri();
    applica(t().F_OptNessunaSelezione);
    const BoxDellElemento boxes[] = {
        {"ONO", Impofatt, ImpofattInCifre},
        {"SPE", Importo, "Bisogna definire in cifre l'importo nel campo Costo"},
        {"SPE", Impofatt, ImpofattInCifre},
        {"ANT", Importo, "Bisogna definire in cifre l'importo nel campo Anticipazione"},
        {"ORE", Importo, "Bisogna definire in cifre l'importo nel campo dir. unitario"},
        {"PER", Importo, "Bisogna definire in cifre l'importo nel campo Base imponibile"},
        {"ORE", Fattore, "Bisogna definire in cifre il fattore nel campo quantità"},
        {"PER", Fattore, "Bisogna definire in cifre il fattore nel campo Percent"},
    };
    for (const auto& b : boxes)
        for (const QString& testo : NonInCifre) {
            SCOPED_TRACE(b.elemento + (" '" + testo + "'").toStdString());
            scegliElemento(b.elemento);
            // The other box holds a good amount, so that the one typed is the one refused.
            if (b.elemento == QString("SPE")) importo(box(b.box == Importo ? Impofatt : Importo), "10");
            importo(box(b.box), testo);
            rifiuta(t().F_CmdAggiungi, b.box, testo, b.messaggio);
            clic(t().F_CmdAnnulla);
        }
    EXPECT_TRUE(fattura().RigheFattura.vuota());

    // Numbers in figures are taken, read as typed (the case file bills under the EU regime:
    // the fee bears no VAT).
    for (const char* testo : {"12,50", "1.200,00", "€ 5", " 2.00 "}) {
        scegliElemento("ONO");
        importo(t().F_TxtImpofatt, testo);
        clic(t().F_CmdAggiungi);
    }
    scegliElemento("SPE");
    importo(t().F_TxtImporto, "5 €");
    importo(t().F_TxtImpofatt, "5");
    clic(t().F_CmdAggiungi);
    EXPECT_EQ(stato(), (QStringList{"ONO|12.5", "ONO|1200", "ONO|5", "ONO|2", "SPE|5", "1.224,50", "0,50"}));
    EXPECT_EQ(fattura().RigheFattura.riga(5).importo, Currency::fromUnits(5));
}

// A line from a fee item corrected with a mistyped amount keeps what it billed.
TEST_F(TabFatturaInCifre, CorreggiRefusesABoxThatHoldsNoNumberInFiguresAndLeavesTheLine) {
    apri();
    applica(t().F_OptPerOgniVoce);
    const auto linea = [&](const QString& elemento) {
        for (int i = 1; i <= fattura().RigheFattura.NumeroRighe(); ++i)
            if (fattura().RigheFattura.riga(i).elemento == elemento) return i;
        return 0;
    };
    const BoxDellElemento boxes[] = {
        {"ONO", Impofatt, ImpofattInCifre},
        {"SPE", Importo, "Bisogna definire in cifre l'importo nel campo Costo"},
        {"ORE", Importo, "Bisogna definire in cifre l'importo nel campo dir. unitario"},
        {"PER", Impofatt, ImpofattInCifre},
        {"ORE", Fattore, "Bisogna definire in cifre il fattore nel campo quantità"},
        {"PER", Fattore, "Bisogna definire in cifre il fattore nel campo Percent"},
    };
    for (const auto& b : boxes)
        for (const QString& testo : NonInCifre) {
            SCOPED_TRACE(b.elemento + (" '" + testo + "'").toStdString());
            clicRiga(rigaDellaLinea(linea(b.elemento)));
            ASSERT_EQ(t().F_DbcElemento->currentText(), b.elemento);
            importo(box(b.box), testo);
            rifiuta(t().F_CmdCorreggi, b.box, testo, b.messaggio);
            clic(t().F_CmdAnnulla);
        }

    // Put right, the correction takes the amount as typed.
    clicRiga(rigaDellaLinea(linea("ONO")));
    importo(t().F_TxtImpofatt, "1.200,00");
    clic(t().F_CmdCorreggi);
    EXPECT_EQ(fattura().RigheFattura.riga(linea("ONO")).impofat, Currency::fromUnits(1200));
}

// A quantity changed into words keeps no amount to invoice worked out of the one before, and
// one typed in words with no amount to invoice adds no line of 0,00: the line waits for a
// number, then bills its product.
TEST_F(TabFatturaInCifre, NoLineKeepsAnAmountWorkedOutOfAnotherQuantity) {
    apri();
    applica(t().F_OptNessunaSelezione);
    scegliElemento("ORE");
    importo(t().F_TxtFattore, "2");
    ASSERT_EQ(t().F_TxtImpofatt->text(), "25,00");
    importo(t().F_TxtFattore, "3 ore");
    rifiuta(t().F_CmdAggiungi, Fattore, "3 ore", "Bisogna definire in cifre il fattore nel campo quantità");
    importo(t().F_TxtFattore, "3");
    clic(t().F_CmdAggiungi);
    EXPECT_EQ(stato().first(), "ORE|37.5");
    EXPECT_EQ(fattura().RigheFattura.riga(1).fattore, "3");

    scegliElemento("ORE");
    importo(t().F_TxtFattore, "due");
    importo(t().F_TxtImpofatt, "");
    rifiuta(t().F_CmdAggiungi, Fattore, "due", "Bisogna definire in cifre il fattore nel campo quantità");
}

// A percentage typed with a point is read back from its line as it was read when typed, so
// that correcting the line bills the percentage of the new base, not a hundred times it: a
// percentage fee shows it as an amount, a cost at a percentage and a quantity as typed.
TEST_F(TabFatturaInCifre, ACorrectedLineReadsItsFactorAsItWasTyped) {
    apri();
    applica(t().F_OptNessunaSelezione);
    const struct {
        const char* elemento;
        QString fattore, mostrato, aggiunta, corretta;
    } casi[] = {
        {"PER", "12.50", "12,50", "25,00", "37,50"},
        {"PER", "1.5", "1,50", "3,00", "4,50"},
        {"PER", "2,5", "2,50", "5,00", "7,50"},
        {"BAS", "12.50", "12.50", "25,00", "37,50"},
        {"ORE", "1.5", "1.5", "300,00", "450,00"},
    };
    int linea = 0;
    for (const auto& c : casi) {
        SCOPED_TRACE(c.elemento + (" " + c.fattore).toStdString());
        scegliElemento(c.elemento);
        importo(t().F_TxtImporto, "200");
        importo(t().F_TxtFattore, c.fattore);
        EXPECT_EQ(t().F_TxtImpofatt->text(), c.aggiunta);
        clic(t().F_CmdAggiungi);
        ++linea;
        EXPECT_EQ(fattura().RigheFattura.riga(linea).impofat, basic::CCur(c.aggiunta));

        clicRiga(rigaDellaLinea(linea));
        EXPECT_EQ(t().F_TxtFattore->text(), c.mostrato);
        importo(t().F_TxtImporto, "300");
        EXPECT_EQ(t().F_TxtImpofatt->text(), c.corretta);
        clic(t().F_CmdCorreggi);
        EXPECT_EQ(fattura().RigheFattura.riga(linea).impofat, basic::CCur(c.corretta));
    }
}

}  // namespace
