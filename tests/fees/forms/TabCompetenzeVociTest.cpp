// The fee-item tab worked as a user works it, on the real main window: elements of every
// kind chosen, priced, added, corrected and deleted.
#include <gtest/gtest.h>

#include "fees/forms/CompetenzeFixture.h"
#include "foundation/engine/GestioneErrori.h"

namespace {

using competenze_in_uso::CompetenzeFixture;

class VociCompetenza : public CompetenzeFixture {};

// Each kind of element opens the boxes of its mode under their captions, works out its amount
// to invoice as the user types, and is stored with the columns of its kind.
TEST_F(VociCompetenza, EachKindOfElementIsPricedAndStoredByItsMode) {
    apri();
    EXPECT_EQ(t().C_LblCodiceCliente->text(), "R01");
    EXPECT_EQ(t().C_LblNpra->text(), "0001");
    EXPECT_EQ(aperti(), "11000000");
    const struct {
        const char* elemento;
        QString proposta;                         // the boxes once the element is chosen
        std::vector<std::pair<int, QString>> digitati;  // 0 amount, 1 factor, 2 amount to invoice
        QString dopo;                             // the boxes once typed in and left
        std::string riga;                         // the row stored
        QString griglia;                          // and its line in the grid
    } casi[] = {
        {"ORE", "dir. unitario|quantità|+12,00|+1|", {{1, "3"}}, "dir. unitario|quantità|+12,00|+3|36,00",
         "Ore di lavoro|" + oggiIso() + "|0|36|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|12|3",
         "0000|0000|ORE||12,00|3|36,00||"},
        {"PER", "Base imponibile|Percent|+1|+5,00|", {{0, "200"}}, "Base imponibile|Percent|+200|+5,00|10,00",
         "Percentuale|" + oggiIso() + "|0|10|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|5,00",
         "0000|0000|PER|||5,00|10,00||"},
        {"RIC", "||-|-|", {{2, "250"}}, "||-|-|250",
         "Onorario a richiesta|" + oggiIso() + "|0|250|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|",
         "0000|0000|RIC||||250,00||"},
        {"ONO", "||-|-|100,00", {}, "||-|-|100,00",
         "Onorario|" + oggiIso() + "|0|100|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|",
         "0000|0000|ONO||||100,00||"},
        {"ANT", "Anticipazione||+|-|", {{0, "1.234,5"}}, "Anticipazione||+1.234,5|-|1.234,5",
         "Anticipazione|" + oggiIso() + "|1234.5|1234.5|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|",
         "0000|0000|ANT|1.234,50|||1.234,50||"},
        {"SPE", "Costo||+|-|", {{0, "10"}, {2, "12.50"}}, "Costo||+10|-|12.50",
         "Spese|" + oggiIso() + "|10|12.5|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|",
         "0000|0000|SPE|10,00|||12,50||"},
        {"BAS", "Costo|Percent|+|+10,00|", {{0, "50"}}, "Costo|Percent|+50|+10,00|5,00",
         "Costo maggiorato|" + oggiIso() + "|50|5|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|0|10,00",
         "0000|0000|BAS|50,00||10,00|5,00||"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.elemento);
        scegli(c.elemento);
        EXPECT_EQ(importi(), c.proposta);
        // A new item takes its description, payment and date as proposed.
        EXPECT_EQ(t().C_TxtDescrizione->text(), QString::fromStdString(c.riga).section('|', 0, 0));
        EXPECT_EQ(t().C_DbcPagamento->currentText(), "30");
        EXPECT_EQ(t().C_TxtData->text(), oggi());
        EXPECT_EQ(aperti().left(5), "11000");
        QLineEdit* const box[] = {t().C_TxTImporto, t().C_TxtFattore, t().C_TxtImpoFatt};
        for (const auto& [quale, testo] : c.digitati) digita(box[quale], testo);
        EXPECT_EQ(importi(), c.dopo);
        clic(t().C_CmdAggiungi);
        EXPECT_EQ(riga("0000", "0000", c.elemento), c.riga);
        EXPECT_TRUE(griglia().contains(c.griglia)) << griglia().join("\n").toStdString();
        // Back to entry: fields empty, only the element combos open.
        EXPECT_EQ(aperti(), "11000000");
        EXPECT_TRUE(t().C_DbcElemento->currentText().isEmpty());
        EXPECT_EQ(importi(), "||-|-|");
    }
    EXPECT_EQ(griglia().size(), 7);
}

// "dir. unitario" priced 12 in the catalogue: the amount to invoice stays empty until a box
// is left, the price list of the client priced 10 comes first, and its payment with it.
TEST_F(VociCompetenza, AUnitPriceFromTheCatalogueOrTheClientsPriceList) {
    apri();
    scegli("ORE");
    EXPECT_EQ(t().C_DbcDescrizEle->currentText(), "Ore di lavoro");
    EXPECT_TRUE(t().C_TxtImpoFatt->text().isEmpty());
    attraversa(t().C_TxTImporto);
    EXPECT_EQ(t().C_TxtImpoFatt->text(), "12,00");
    clic(t().C_CmdVuota);

    fascole.addPriceListItem("R01", "ORE", {{"importo", 10}, {"pagamento", "60"}});
    scrivi(t().C_DbcDescrizEle, "Ore di lavoro");  // by description this time
    entra(t().C_FlxCompetenze);
    EXPECT_EQ(t().C_DbcElemento->currentText(), "ORE");
    EXPECT_EQ(t().C_TxTImporto->text(), "10,00");
    EXPECT_EQ(t().C_DbcPagamento->currentText(), "60");

    // Once both combos show an element, typing another code proposes nothing.
    scrivi(t().C_DbcElemento, "ONO");
    entra(t().C_FlxCompetenze);
    EXPECT_EQ(t().C_DbcDescrizEle->currentText(), "Ore di lavoro");
    EXPECT_EQ(t().C_LblCheCao->text(), "dir. unitario");

    // Not linked, the payment is a number of days typed: no list is offered.
    t().C_DbcPagamento->setEnabled(true);
    entra(t().C_DbcPagamento);
    EXPECT_EQ(t().C_DbcPagamento->count(), 0);
}

TEST_F(VociCompetenza, AnElementTheCatalogueDoesNotHold) {
    apri();
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "Attenzione: situazione anomala, il codice elemento inserito non esiste");
    scegli("XYZ");
    EXPECT_TRUE(t().C_DbcDescrizEle->currentText().isEmpty());
    EXPECT_TRUE(t().C_TxtDescrizione->text().isEmpty());
    EXPECT_EQ(box.asked().front().title, "");
}

// A stored item loaded by a click shows its stored values, is corrected, and is deleted; the
// grid is read again after each command.
TEST_F(VociCompetenza, AStoredItemIsLoadedCorrectedAndDeleted) {
    apri();
    scegli("ORE");
    digita(t().C_TxtFattore, "2");
    clic(t().C_CmdAggiungi);
    scegli("PER");
    digita(t().C_TxTImporto, "200");
    clic(t().C_CmdAggiungi);
    ASSERT_EQ(griglia(), (QStringList{"0000|0000|ORE||12,00|2|24,00||", "0000|0000|PER|||5,00|10,00||"}));

    clicRiga(1);
    EXPECT_EQ(aperti(), "00111111");
    EXPECT_EQ(t().C_DbcElemento->currentText(), "ORE");
    EXPECT_EQ(t().C_DbcDescrizEle->currentText(), "Ore di lavoro");
    EXPECT_EQ(importi(), "dir. unitario|quantità|+12,00|+2|24,00");
    EXPECT_EQ(t().C_TxtData->text(), oggi());
    EXPECT_EQ(t().C_FlxCompetenze->cellBackColor(1, 8), ui::bgr(ui::BgrYellow));
    EXPECT_EQ(t().Dettaglio().elemento, "ORE");

    scrivi(t().C_TxtDescrizione, "Ore di sopralluogo");
    digita(t().C_TxtFattore, "4");
    EXPECT_EQ(t().C_TxtImpoFatt->text(), "48,00");
    scrivi(t().C_TxtData, "06/03/2004");
    clic(t().C_CmdCorreggi);
    EXPECT_EQ(riga("0000", "0000", "ORE"),
              "Ore di sopralluogo|2004-03-06|0|48|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|30|12|4");
    EXPECT_EQ(griglia().front(), "0000|0000|ORE||12,00|4|48,00||");
    EXPECT_EQ(aperti(), "11000000");

    // A stored percentage fee keeps no base: it shows 0,00, and passing through its boxes
    // leaves its amount to invoice alone; changing the base works it out again.
    clicRiga(2);
    EXPECT_EQ(importi(), "Base imponibile|Percent|+0,00|+5,00|10,00");
    attraversa(t().C_TxTImporto);
    attraversa(t().C_TxtFattore);
    EXPECT_EQ(t().C_TxtImpoFatt->text(), "10,00");
    digita(t().C_TxTImporto, "300");
    EXPECT_EQ(t().C_TxtImpoFatt->text(), "15,00");

    clic(t().C_CmdCancella);  // no confirmation is asked
    EXPECT_EQ(riga("0000", "0000", "PER"), "(none)");
    EXPECT_EQ(griglia(), QStringList{"0000|0000|ORE||12,00|4|48,00||"});
}

// A loaded item's date box emptied and entered again by a click: today's date comes in
// selected, and the date typed replaces it.
TEST_F(VociCompetenza, ADateBoxEnteredEmptyByAClickTakesTheDateTypedInPlaceOfToday) {
    apri();
    scegli("RIC");
    digita(t().C_TxtImpoFatt, "100");
    clic(t().C_CmdAggiungi);
    clicRiga(1);
    digita(t().C_TxtData, "");
    QTest::mouseClick(t().C_TxtData, Qt::LeftButton, {}, t().C_TxtData->rect().center());
    ASSERT_TRUE(t().C_TxtData->hasFocus());
    EXPECT_EQ(t().C_TxtData->selectedText(), oggi());
    QTest::keyClicks(t().C_TxtData, "06/03/2004");
    clic(t().C_CmdCorreggi);
    EXPECT_EQ(colonna("SELECT data FROM competenze WHERE elemento = 'RIC'").toText(), "2004-03-06");
}

class VociBloccate : public CompetenzeFixture {
protected:
    void preparaVoci() override {
        fascole.addFeeItem(cliente, "0001", "0000", "0000", "ONO",
                           {{"descrizione", "Fatturato"}, {"data", "2004-02-01"}, {"impofat", 100},
                            {"pagamento", "30"}, {"fatturato", true}, {"primanota", true},
                            {"idfattura", "00010402010001"}});
        fascole.addFeeItem(cliente, "0001", "0000", "0000", "SPE",
                           {{"descrizione", "Contabilizzato"}, {"data", "2004-02-01"}, {"importo", 10},
                            {"impofat", 10}, {"pagamento", "30"}, {"primanota", true}});
    }
};

// An invoiced item (invoiced and posted: the invoiced message) and a posted one can be
// neither corrected nor deleted; the fields keep what the user typed.
TEST_F(VociBloccate, InvoicedOrPostedItemsAreRefused) {
    apri();
    EXPECT_EQ(griglia(), (QStringList{"0000|0000|ONO||||100,00|S|S", "0000|0000|SPE|10,00|||10,00||S"}));
    const struct {
        int riga;
        QString corretto, cancellato;
    } casi[] = {
        {1, "L'elemento risulta già fatturato, non può essere corretto",
         "L'elemento risulta già fatturato, non può essere cancellato"},
        {2, "L'elemento risulta già contabilizzato, non può essere corretto",
         "L'elemento risulta già contabilizzato, non può essere cancellato"},
    };
    const std::string prima[] = {riga("0000", "0000", "ONO"), riga("0000", "0000", "SPE")};
    for (const auto& c : casi) {
        clicRiga(c.riga);
        scrivi(t().C_TxtDescrizione, "Cambiato");
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, c.corretto).expectMessage(ui::Answer::Ok, c.cancellato);
        clic(t().C_CmdCorreggi);
        clic(t().C_CmdCancella);
        EXPECT_EQ(t().C_TxtDescrizione->text(), "Cambiato");
        EXPECT_EQ(t().C_FlxCompetenze->cellBackColor(c.riga, 0), ui::bgr(ui::BgrYellow));
    }
    EXPECT_EQ(riga("0000", "0000", "ONO"), prima[0]);
    EXPECT_EQ(riga("0000", "0000", "SPE"), prima[1]);
}

// The checks of an entry in their order, each sending the user to its field.
TEST_F(VociCompetenza, TheChecksSpeakInTheirOrder) {
    apri();
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Bisogna definire un codice elemento da fatturare");
        clic(t().C_CmdAggiungi);
        EXPECT_TRUE(t().C_DbcElemento->hasFocus());
    }
    scegli("RIC");  // a fee typed: its amount to invoice is empty
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "definire l'importo da fatturare");
        clic(t().C_CmdAggiungi);
        EXPECT_TRUE(t().C_TxtImpoFatt->hasFocus());
        scrivi(t().C_TxtImpoFatt, "1,2,3");  // not an amount
        box.expectMessage(ui::Answer::Ok, "definire in cifre l'importo da fatturare");
        clic(t().C_CmdAggiungi);
    }
    clic(t().C_CmdVuota);
    scegli("BAS");
    scrivi(t().C_TxTImporto, "");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Bisogna definire l'importo nel campo");
        clic(t().C_CmdAggiungi);
        EXPECT_TRUE(t().C_TxTImporto->hasFocus());
        scrivi(t().C_TxTImporto, "5-0");
        box.expectMessage(ui::Answer::Ok, "Bisogna definire in cifre l'importo nel campo Costo");
        clic(t().C_CmdAggiungi);
        scrivi(t().C_TxTImporto, "50");
        scrivi(t().C_TxtFattore, "");
        box.expectMessage(ui::Answer::Ok, "Definire il campo fattore");
        clic(t().C_CmdAggiungi);
        EXPECT_TRUE(t().C_TxtFattore->hasFocus());
    }
    digita(t().C_TxtFattore, "10");
    // A proposal that is empty sends the user into the field to give one.
    t().C_DbcPagamento->setEditText({});
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Bisogna definire il campo pagamento");
        clic(t().C_CmdAggiungi);
        EXPECT_TRUE(t().C_DbcPagamento->isEnabled());
        EXPECT_TRUE(t().C_DbcPagamento->hasFocus());
    }
    scrivi(t().C_DbcPagamento, "60");
    t().C_TxtData->setText("31/02/2004");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Si deve inserire la data di inserimento in fascola");
        clic(t().C_CmdAggiungi);
        EXPECT_TRUE(t().C_TxtData->hasFocus());
    }
    scrivi(t().C_TxtData, "29/02/2004");
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(riga("0000", "0000", "BAS"),
              "Costo maggiorato|2004-02-29|50|5|0|01.01.01.0001|04.01.01.0001||0|04.01.01.0002||0|60|0|10");
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze").toInt(), 1);

    // Deleting with no element named opens nothing.
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "Si deve definire cosa si vuole cancellare");
    clic(t().C_CmdCancella);
}

// An element stands once under a task and job: the second is refused with its code, the
// fields are cleared and the grid read again; under a task chosen on the tasks tab it is
// stored.
TEST_F(VociCompetenza, AnElementTwiceUnderOneTaskAndJob) {
    apri();
    scegli("ONO");
    clic(t().C_CmdAggiungi);
    scegli("ONO");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok,
                          "l'elemento ONO è già stato inserito nella fascola per questo Incarico - lavorazione");
        clic(t().C_CmdAggiungi);
    }
    EXPECT_TRUE(t().C_DbcElemento->currentText().isEmpty());
    EXPECT_EQ(aperti(), "11000000");

    scegliIncarico(1);
    EXPECT_EQ(t().C_LblNtask->text(), "0001");
    EXPECT_EQ(t().C_LblNjob->text(), "0000");
    scegli("ONO");
    clic(t().C_CmdAggiungi);
    EXPECT_EQ(griglia(), (QStringList{"0000|0000|ONO||||100,00||", "0001|0000|ONO||||100,00||"}));
    // The next item goes to the same task.
    EXPECT_EQ(t().C_LblNtask->text(), "0001");
}

// A click on a fee item moves new items to its task and job; VUOTA puts back those chosen
// before the click and takes the mark off the row.
TEST_F(VociCompetenza, VuotaPutsBackTheTaskAndJobOfBeforeTheClick) {
    apri();
    scegli("ONO");
    clic(t().C_CmdAggiungi);
    clic(t().C_CmdVuota);  // no click on the grid yet: the destination stays
    EXPECT_EQ(t().C_LblNtask->text(), "0000");

    scegliIncarico(1);
    clicRiga(1);
    EXPECT_EQ(t().C_LblNtask->text(), "0000");
    EXPECT_EQ(t().C_FlxCompetenze->cellBackColor(1, 0), ui::bgr(ui::BgrYellow));
    clicRiga(1);  // a second click saves what the first one showed
    clic(t().C_CmdVuota);
    EXPECT_EQ(t().C_LblNtask->text(), "0000");

    scegliIncarico(1);
    clicRiga(1);
    clic(t().C_CmdVuota);
    EXPECT_EQ(t().C_LblNtask->text(), "0001");
    EXPECT_EQ(t().C_LblNjob->text(), "0000");
    EXPECT_EQ(t().C_FlxCompetenze->cellBackColor(1, 0), ui::bgr(ui::BgrWhite));
    EXPECT_EQ(aperti(), "11000000");
    EXPECT_TRUE(t().C_TxtDescrizione->text().isEmpty());

    // A click on an empty line loads nothing.
    clicRiga(5);
    EXPECT_EQ(aperti(), "11000000");
}

// Two workstations: the item on screen was changed at the other one before this one's
// correction. The conflict reaches the user and the other workstation's values stay.
TEST_F(VociCompetenza, AStaleCorrectionGetsTheConflict) {
    apri();
    scegli("ONO");
    clic(t().C_CmdAggiungi);
    clicRiga(1);
    scrivi(t().C_TxtImpoFatt, "120");

    fascole.db().execute("UPDATE competenze SET impofat = 150, descrizione = 'Altra postazione'");
    const std::string altra = riga("0000", "0000", "ONO");
    RipristinaAttesaBlocco();
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Abort, {}, "GESTIONE DEGLI ERRORI");
    clic(t().C_CmdCorreggi);
    EXPECT_TRUE(box.asked().front().text.contains("Funzione di correzione elemento in fascola"));
    EXPECT_EQ(riga("0000", "0000", "ONO"), altra);
    EXPECT_EQ(t().C_TxtImpoFatt->text(), "120");  // the fields keep what was typed
}

// Another workstation deleted the item on screen, or the element it was priced from.
TEST_F(VociCompetenza, AnItemOrItsElementDeletedElsewhere) {
    apri();
    scegli("ONO");
    clic(t().C_CmdAggiungi);
    clicRiga(1);
    fascole.db().execute("DELETE FROM competenze");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "L'elemento non è più definito nelle competenze!")
            .expectMessage(ui::Answer::Ok, "L'elemento non è più definito nelle competenze!");
        clic(t().C_CmdCorreggi);
        clic(t().C_CmdCancella);
    }
    EXPECT_EQ(t().C_DbcElemento->currentText(), "ONO");
    clicRiga(1);  // the grid still shows it: nothing is loaded, nothing is said
    clic(t().C_CmdVuota);

    scegli("ORE");
    fascole.db().execute("DELETE FROM elefat WHERE codice = 'ORE'");
    {
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "Il codice elemento non risulta definito in archivio");
        clic(t().C_CmdAggiungi);
    }
    clic(t().C_CmdVuota);
    scegli("ONO");
    clic(t().C_CmdAggiungi);
    fascole.db().execute("DELETE FROM elefat WHERE codice = 'ONO'");
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "E' stato cancellato un elemento in uso, ripristinare la normale condizione");
    clicRiga(1);
    EXPECT_TRUE(t().C_DbcElemento->isEnabled());  // nothing of the item was loaded
    EXPECT_EQ(t().C_FlxCompetenze->cellBackColor(1, 0), ui::bgr(ui::BgrWhite));
}

// Without a case file on display the tab is empty and closed.
TEST_F(VociCompetenza, WithoutACaseFileTheTabIsClosed) {
    apri();
    scegli("ONO");
    clic(t().C_CmdAggiungi);
    clic(m().CmdAnnullaFascola);
    EXPECT_TRUE(t().C_LblCodiceCliente->text().isEmpty());
    EXPECT_EQ(aperti(), "00000000");
    EXPECT_TRUE(griglia().isEmpty());
    clic(t().C_CmdVuota);
    EXPECT_EQ(aperti(), "00000000");
    clicRiga(1);  // the grid no longer shows the item that was there
    EXPECT_EQ(aperti(), "00000000");
    EXPECT_TRUE(t().C_DbcElemento->currentText().isEmpty());
}

}  // namespace
