// An amount or factor box of the fee-item tab holding a text that is no amount ("abc", "3 ore")
// stops AGGIUNGI and CORREGGI: a message names the box, the focus goes back to it and nothing
// is written.
#include <gtest/gtest.h>

#include "fees/forms/CompetenzeFixture.h"

namespace {

using competenze_in_uso::CompetenzeFixture;

enum Box { Importo, Fattore, Impofatt };

struct Caso {
    const char* elemento;
    std::vector<std::pair<Box, QString>> digitati;  // typed, each box then left
    QString messaggio;
    Box rifiutato;
};

const QString ImpofattInCifre = "definire in cifre l'importo da fatturare";
const QString FattoreInCifre = "Bisogna definire in cifre il fattore nel campo ";

class ImportiInCifre : public CompetenzeFixture {
protected:
    QLineEdit* box(Box quale) {
        QLineEdit* const boxes[] = {t().C_TxTImporto, t().C_TxtFattore, t().C_TxtImpoFatt};
        return boxes[quale];
    }

    // The boxes typed into, `comando` clicked: the one message, the focus on the box refused.
    void rifiuta(const Caso& c, QPushButton* comando) {
        for (const auto& [quale, testo] : c.digitati) digita(box(quale), testo);
        ScriptedMessages messaggi;
        messaggi.expectMessage(ui::Answer::Ok, c.messaggio, QString());
        clic(comando);
        EXPECT_EQ(messaggi.pending(), 0);
        EXPECT_EQ(messaggi.asked().size(), 1u);
        EXPECT_TRUE(box(c.rifiutato)->hasFocus());
        // The box keeps what was typed, to be put right.
        for (const auto& [quale, testo] : c.digitati)
            if (quale == c.rifiutato) {
                EXPECT_EQ(box(quale)->text(), testo);
            }
    }
};

TEST_F(ImportiInCifre, AggiungiRefusesABoxThatHoldsNoAmount) {
    apri();
    const Caso casi[] = {
        // The amount to invoice, typed or over the list price.
        {"RIC", {{Impofatt, "abc"}}, ImpofattInCifre, Impofatt},
        {"ONO", {{Impofatt, "abc"}}, ImpofattInCifre, Impofatt},
        {"ORE", {{Fattore, "2"}, {Impofatt, "24 euro"}}, ImpofattInCifre, Impofatt},
        {"SPE", {{Importo, "10"}, {Impofatt, "abc"}}, ImpofattInCifre, Impofatt},
        // The amount box, named by its caption; an advance's text went into the amount to
        // invoice too, and is refused at the box it was typed in.
        {"SPE", {{Importo, "abc"}, {Impofatt, "10"}}, "Bisogna definire in cifre l'importo nel campo Costo", Importo},
        {"ANT", {{Importo, "abc"}}, "Bisogna definire in cifre l'importo nel campo Anticipazione", Importo},
        {"ORE", {{Importo, "abc"}}, "Bisogna definire in cifre l'importo nel campo dir. unitario", Importo},
        {"BAS", {{Importo, "abc"}}, "Bisogna definire in cifre l'importo nel campo Costo", Importo},
        {"PER", {{Importo, "abc"}}, "Bisogna definire in cifre l'importo nel campo Base imponibile", Importo},
        // The factor box, named by its caption too.
        {"ORE", {{Fattore, "3 ore"}}, FattoreInCifre + "quantità", Fattore},
        {"ORE", {{Fattore, "due"}, {Impofatt, ""}}, FattoreInCifre + "quantità", Fattore},
        {"PER", {{Importo, "200"}, {Fattore, "5 %"}}, FattoreInCifre + "Percent", Fattore},
        {"BAS", {{Importo, "10"}, {Fattore, "   "}}, FattoreInCifre + "Percent", Fattore},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.elemento + (" " + c.digitati.back().second).toStdString());
        scegli(c.elemento);
        rifiuta(c, t().C_CmdAggiungi);
        EXPECT_EQ(colonna("SELECT count(*) FROM competenze").toInt(), 0);
        clic(t().C_CmdVuota);
    }

    // Put right, the item is stored with what the box reads.
    scegli("SPE");
    digita(t().C_TxTImporto, "abc");
    digita(t().C_TxtImpoFatt, "12,50");
    {
        ScriptedMessages messaggi;
        messaggi.expectMessage(ui::Answer::Ok, "Bisogna definire in cifre l'importo nel campo Costo");
        clic(t().C_CmdAggiungi);
    }
    digita(t().C_TxTImporto, "10.5");
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(colonna("SELECT importo || '|' || impofat FROM competenze WHERE elemento = 'SPE'").toText(),
              "10.5|12.5");
    // The blanks around a number take nothing from its decimal point.
    scegli("RIC");
    digita(t().C_TxtImpoFatt, " 2.00 ");
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(colonna("SELECT impofat FROM competenze WHERE elemento = 'RIC'").toText(), "2");
}

// A quantity changed into words keeps no amount to invoice worked out of the one before: the
// item is refused until the quantity is a number again, and then stored with its product.
TEST_F(ImportiInCifre, NoItemKeepsAnAmountWorkedOutOfAnotherQuantity) {
    apri();
    scegli("ORE");
    digita(t().C_TxtFattore, "2");
    ASSERT_EQ(t().C_TxtImpoFatt->text(), "24,00");
    rifiuta({"ORE", {{Fattore, "3 ore"}}, FattoreInCifre + "quantità", Fattore}, t().C_CmdAggiungi);
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze").toInt(), 0);
    digita(t().C_TxtFattore, "3");
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(colonna("SELECT fattore || '|' || impofat FROM competenze WHERE elemento = 'ORE'").toText(), "3|36");
}

class CorrezioniInCifre : public ImportiInCifre {
protected:
    void preparaVoci() override {
        const auto voce = [&](const char* elemento, fixtures::Fields colonne) {
            colonne.insert(colonne.end(), {{"descrizione", "Voce"}, {"data", "2004-02-01"}, {"pagamento", "30"}});
            fascole.addFeeItem(cliente, "0001", "0000", "0000", elemento, colonne);
        };
        voce("ANT", {{"importo", 40}, {"impofat", 40}});
        voce("ORE", {{"addebitounitario", 12}, {"fattore", "2"}, {"impofat", 24}});
        voce("RIC", {{"impofat", 250}});
        voce("SPE", {{"importo", 10}, {"impofat", 10}});
    }
};

TEST_F(CorrezioniInCifre, CorreggiRefusesABoxThatHoldsNoAmountAndLeavesTheItemAsStored) {
    apri();
    const struct {
        int riga;
        Caso caso;
    } casi[] = {
        {1, {"ANT", {{Importo, "abc"}}, "Bisogna definire in cifre l'importo nel campo Anticipazione", Importo}},
        {2, {"ORE", {{Importo, "abc"}}, "Bisogna definire in cifre l'importo nel campo dir. unitario", Importo}},
        {2, {"ORE", {{Impofatt, "abc"}}, ImpofattInCifre, Impofatt}},
        {3, {"RIC", {{Impofatt, "abc"}}, ImpofattInCifre, Impofatt}},
        {4, {"SPE", {{Importo, "abc"}}, "Bisogna definire in cifre l'importo nel campo Costo", Importo}},
        {4, {"SPE", {{Impofatt, "abc"}}, ImpofattInCifre, Impofatt}},
        {2, {"ORE", {{Fattore, "3 ore"}}, FattoreInCifre + "quantità", Fattore}},
    };
    const auto righe = [&] {
        std::vector<std::string> r;
        for (const char* e : {"ANT", "ORE", "RIC", "SPE"}) r.push_back(riga("0000", "0000", e));
        return r;
    };
    const std::vector<std::string> prima = righe();
    for (const auto& [r, c] : casi) {
        SCOPED_TRACE(c.elemento + (" " + c.digitati.back().second).toStdString());
        clicRiga(r);
        ASSERT_EQ(t().C_DbcElemento->currentText(), c.elemento);
        rifiuta(c, t().C_CmdCorreggi);
        EXPECT_EQ(righe(), prima);
        clic(t().C_CmdVuota);
    }
}

}  // namespace
