// The invoice tab keeps a document within what the archive holds exactly with its VAT: the
// amount to invoice of a line, and the lines together, are refused with a message beyond
// ImportoMassimo; lines from fee items whose totals leave the range of an amount are reported
// through the error handler; a line billing a rate no document bears is not issued.
#include <gtest/gtest.h>

#include "fees/engine/CalcoloCompetenza.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/RigheInComposizione.h"
#include "platform/db/Database.h"
#include "invoice/forms/TabFatturaFixture.h"

namespace {

using tab_fattura::TabFatturaFixture;

class TabFatturaFuoriMisura : public TabFatturaFixture {
protected:
    // A line of the list-priced fee ONO with the amount to invoice typed, then AGGIUNGI or,
    // with `linea`, that line clicked and CORREGGI.
    void riga(const QString& impofatt, int linea = 0) {
        if (linea) {
            clicRiga(rigaDellaLinea(linea));
            ASSERT_EQ(fattura().RigaCorrente, linea);
        } else {
            scegliElemento("ONO");
        }
        scrivi(t().F_TxtImpofatt, impofatt);
        clic(linea ? t().F_CmdCorreggi : t().F_CmdAggiungi);
    }
    QStringList importi() {
        QStringList s;
        for (const RigaFattura& r : fattura().RigheFattura) s << QString::fromStdString(r.impofat.toPlainString());
        return s;
    }
};

TEST_F(TabFatturaFuoriMisura, ALineOrTheLinesTogetherBeyondTheLargestAmountAreRefused) {
    apri();
    applica(t().F_OptNessunaSelezione);
    const struct {
        const char* nome;
        const char* impofatt;
        int linea;                 // 0: a line added; else the line corrected
        const char* messaggio;     // nullptr: taken
        QStringList dopo;          // the lines' amounts to invoice afterwards
    } passi[] = {
        {"one line beyond", "274.877.906.944,0002", 0, "box", {}},
        {"a negative line beyond", "-274.877.906.944,0002", 0, "box", {}},
        {"a large line", "200.000.000.000", 0, nullptr, {"200000000000"}},
        {"together beyond", "74.877.906.944,01", 0, "total", {"200000000000"}},
        // Signs do not cancel: VAT is due on each line.
        {"a credit line does not make room", "-100.000.000.000", 0, "total", {"200000000000"}},
        // A line enters the document at the cent: 74.877.906.944,0001 bills 74.877.906.944,00.
        {"together at the limit", "74.877.906.944,0001", 0, nullptr, {"200000000000", "74877906944"}},
        // A correction counts the line corrected once, with its new amount.
        {"a correction beyond", "200.000.000.000,01", 1, "total", {"200000000000", "74877906944"}},
        {"a correction inside", "199.999.999.999,99", 1, nullptr, {"199999999999.99", "74877906944"}},
    };
    for (const auto& p : passi) {
        SCOPED_TRACE(p.nome);
        ScriptedMessages messaggi;
        if (p.messaggio)
            messaggi.expectMessage(ui::Answer::Ok, QString(p.messaggio) == "box" ? MessaggioImportoFuoriMisura
                                                                                 : MessaggioTotaleFuoriMisura);
        riga(p.impofatt, p.linea);
        EXPECT_EQ(messaggi.pending(), 0);
        if (p.messaggio) {
            EXPECT_TRUE(t().F_TxtImpofatt->hasFocus());
            clic(t().F_CmdAnnulla);
        }
        EXPECT_EQ(importi(), p.dopo);
    }
    EXPECT_EQ(t().F_LblTotale->text(), "274.877.906.943,99");
}

// Fee items stored with amounts that large (written by another program, or before the boxes
// refused them) make lines whose totals leave the range: the error handler says so, the tab
// goes on, and STAMPA issues nothing: both archives and the folders stay as they were.
TEST_F(TabFatturaFuoriMisura, StoredItemsWhoseTotalsLeaveTheRangeGoToTheErrorHandlerAndIssueNothing) {
    apri("0001", true);
    fascole.db().execute("UPDATE competenze SET impofat = 400000000000000 WHERE cliente = ?", {cliente});
    const auto stato = [&] {
        QStringList s;
        for (const char* sql : {"SELECT group_concat(fatturato || idfattura) FROM competenze"})
            s << QString::fromStdString(colonna(sql).textOr(std::string()));
        auto contabile = db::Database::open(AmbienteLavoro().PathArchivioContabile.toStdString());
        for (const char* sql : {"SELECT group_concat(numerofattura) FROM ivaregistri", "SELECT count(*) FROM giornale",
                                "SELECT count(*) FROM giornalenumero"})
            s << QString::fromStdString(contabile->scalar(sql).textOr(std::string()));
        s << QDir(AmbienteLavoro().CartellaAvvio).entryList({"SDB*"}, QDir::Files);
        return s;
    };
    const QStringList prima = stato();
    {
        ScriptedMessages messaggi;
        messaggi.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
        applica(t().F_OptPerOgniVoce);
        EXPECT_EQ(messaggi.pending(), 0);
        const QString testo = messaggi.messageTexts().value(0);
        EXPECT_TRUE(testo.contains("errore  6") && testo.contains("Overflow") &&
                    testo.contains("visualizzazione elementi da fatturare"))
            << testo.toStdString();
        EXPECT_TRUE(t().F_LblTotale->text().isEmpty());
    }
    ScriptedMessages messaggi;
    messaggi.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    messaggi.expectMessage(ui::Answer::Ok,
                           "Il documento non è stato emesso: gli archivi sono rimasti come erano prima della stampa",
                           TitoloEmissione);
    clic(t().F_CmdStampa);
    EXPECT_EQ(messaggi.pending(), 0);
    EXPECT_EQ(stato(), prima);
}

// Not linked, a catalogue element stored with a rate its box now refuses ("1.000", a thousand
// percent as the lines bill it) stops STAMPA with a message naming the line, before anything is
// written: no fee item marked, no print database; the lines stay for the rate to be corrected.
TEST_F(TabFatturaFuoriMisura, NotLinkedARateStoredBeyondAHundredStopsTheIssueAndWritesNothing) {
    apri();
    fascole.db().execute("UPDATE elefat SET iva = '1.000', ivacee = '1.000' WHERE codice = 'ONO'");
    applica(t().F_OptPerOgniVoce);
    ParametriFattura().NumeroDocumento = "7";
    const auto stato = [&] {
        QStringList s;
        s << QString::fromStdString(
            colonna("SELECT group_concat(fatturato || idfattura) FROM competenze").textOr(std::string()));
        s << QDir(AmbienteLavoro().CartellaAvvio).entryList({"SDB*"}, QDir::Files);
        return s;
    };
    const QStringList prima = stato();
    ScriptedMessages messaggi;
    messaggi.expectMessage(ui::Answer::Ok,
                           "Non si può fatturare la riga E.ONO «Onorario pratica» all'aliquota IVA 1.000 (1.000,00 %): "
                           "l'aliquota va da 0 a meno di 100; correggerla in ALTRI DATI o negli Elementi da fatturare: "
                           "il documento non è stato emesso",
                           TitoloEmissione);
    clic(t().F_CmdStampa);
    EXPECT_EQ(messaggi.pending(), 0);
    EXPECT_EQ(stato(), prima);
    EXPECT_TRUE(t().F_CmdStampa->isEnabled());
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 6);
}

}  // namespace
