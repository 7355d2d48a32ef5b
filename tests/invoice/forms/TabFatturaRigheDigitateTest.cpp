// A line typed on the invoice tab is no stored fee item: STAMPA issues it as it stands, and it
// neither takes over a fee item of its task, job and element nor is refused for one. A line of
// the selection bills its fee item, and is refused when another workstation billed it since.
#include <gtest/gtest.h>

#include <QDir>

#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/forms/TabFatturaFixture.h"
#include "support/ModalHelper.h"

namespace {

using tab_fattura::TabFatturaFixture;
using ui::Answer;

// A document of another workstation that billed the case file's items earlier.
const QString AltroDocumento = "000104030100009";
// The identifier of the document STAMPA issues here: case file 0001, 15/03/2004, the register's
// next number.
const QString Emesso = "000104031500013";

class RigheDigitate : public TabFatturaFixture {
protected:
    // Linked, on case file 0001, documents numbered by the register and previewed.
    void SetUp() override {
        apri("0001", true);
        ParametriFattura().AnteprimaStampa = true;
        ParametriFattura().NumerazioneAutomatica = true;
    }

    // STAMPA, the preview closed as soon as it opens.
    void stampa() {
        ModalHelper modali;
        modali.onNextModal([](QWidget* w) { w->close(); });
        clic(t().F_CmdStampa);
    }

    // The fee items of case file 0001 as "task|job|element|invoiced|idfattura".
    QStringList voci() {
        QStringList v;
        db::Statement st(fascole.db(), "SELECT ntask, njob, elemento, fatturato, coalesce(idfattura, '') FROM "
                                       "competenze WHERE npra = '0001' ORDER BY ntask, njob, elemento");
        while (st.step()) {
            QStringList r;
            for (int i = 0; i < 5; ++i) r << st.column(i).textOr(QString());
            v << r.join("|");
        }
        return v;
    }
    int registrazioni() { return ArchivioInUso()->scalar("SELECT count(*) FROM giornale").toInt(); }

    // The element chosen for a new line and the amount to invoice typed.
    void nuovaRiga(const QString& elemento, const QString& impofatt) {
        scegliElemento(elemento);
        importo(t().F_TxtImpofatt, impofatt);
    }

    ScriptedMessages box;
};

// The case file's fee item ONO of no task and job was billed by another document: a line ONO
// typed on the tab under no task and job is issued all the same, and the fee item keeps its
// document.
TEST_F(RigheDigitate, ALineTypedOnTheTabIsIssuedAndTakesNoBilledItem) {
    fascole.db().execute("UPDATE competenze SET fatturato = 1, idfattura = ? WHERE npra = '0001' AND ntask = '0000' "
                         "AND elemento = 'ONO'",
                         {AltroDocumento});
    const QStringList prima = voci();
    applica(t().F_OptNessunaSelezione);
    nuovaRiga("ONO", "7,00");
    clic(t().F_CmdAggiungi);
    ASSERT_EQ(fattura().RigheFattura.NumeroRighe(), 1);
    stampa();
    EXPECT_TRUE(box.asked().empty());
    EXPECT_EQ(registrazioni(), 1);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);  // issued: the tab starts over
    EXPECT_EQ(voci(), prima);
    EXPECT_EQ(colonna("SELECT count(*) FROM competenze WHERE idfattura = ?", {Emesso}).toInt(), 0);
}

// A line of the selection, corrected and moved down by a line typed above it, still bills its
// fee item: refused while another workstation's document holds the item, with nothing written;
// issued once the item is free again. The typed line bills nothing, not even the unbilled fee
// item of its task, job and element.
TEST_F(RigheDigitate, ALineOfTheSelectionBillsItsItemOrIsRefused) {
    applica(t().F_OptAnticipazioni);
    ASSERT_EQ(elementiLinee(), QStringList{"ANT"});
    clicRiga(rigaDellaLinea(1));
    scrivi(t().F_TxtDescrizione, "Diritti anticipati");
    clic(t().F_CmdCorreggi);
    clicRiga(rigaDellaLinea(1));
    clic(t().F_CmdAnnulla);
    nuovaRiga("ONO", "7,00");
    inserisciDalMenu(rigaDellaLinea(1), t().F_mnuRigaSopra);
    ASSERT_EQ(elementiLinee(), (QStringList{"ONO", "ANT"}));

    auto altra = db::Database::open(fascole.path().toStdString());
    altra->execute("UPDATE competenze SET fatturato = 1, idfattura = ? WHERE npra = '0001' AND elemento = 'ANT'",
                   {AltroDocumento});
    const QStringList prima = voci();
    box.expectMessage(Answer::Ok,
                      "Competenze già fatturate con un altro documento: 1; rifare la selezione: il documento non è "
                      "stato emesso",
                      TitoloEmissione);
    clic(t().F_CmdStampa);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(registrazioni(), 0);
    EXPECT_EQ(voci(), prima);
    EXPECT_EQ(elementiLinee(), (QStringList{"ONO", "ANT"}));

    altra->execute("UPDATE competenze SET fatturato = 0, idfattura = '' WHERE idfattura = ?", {AltroDocumento});
    stampa();
    EXPECT_EQ(registrazioni(), 1);
    EXPECT_EQ(colonna("SELECT group_concat(ntask || '/' || elemento) FROM competenze WHERE idfattura = ?", {Emesso})
                  .toText<QString>(),
              "0000/ANT");
    EXPECT_EQ(colonna("SELECT fatturato FROM competenze WHERE npra = '0001' AND ntask = '0000' AND elemento = 'ONO'")
                  .toInt(),
              0);
}

}  // namespace
