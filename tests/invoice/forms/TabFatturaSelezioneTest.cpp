#include <gtest/gtest.h>

#include <QGroupBox>
#include <QRadioButton>

#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/ImportiDocumento.h"
#include "invoice/forms/TabFatturaFixture.h"
#include "platform/system/BasicRuntime.h"

namespace {

using tab_fattura::TabFatturaFixture;

const QStringList OgniVoce = {"I.0000", "L.0000", "E.ANT", "E.ONO", "I.0001", "L.0000", "E.ORE", "L.0001",
                              "E.SPE",  "I.0002", "L.0000", "E.PER", "I.0003", "L.0000", "E.ZZZ"};

TEST_F(TabFatturaFixture, ChoosingTheTabShowsAnEmptyDocumentReadyForACriterion) {
    apri();
    TabFattura& tab = t();
    EXPECT_EQ(tab.F_LblNomeCliente->text(), "Rossi Mario" + QString(35, ' '));
    EXPECT_TRUE(tab.F_FrmOpzioni->isEnabled());
    EXPECT_TRUE(tab.F_OptNessunaSelezione->isChecked());
    EXPECT_FALSE(tab.F_TxtMese->isVisible());
    EXPECT_TRUE(tab.F_OptFattura->isChecked());
    for (QRadioButton* tipo : {tab.F_OptFattura, tab.F_OptNotaDebito, tab.F_OptNotaCredito}) {
        const auto* cornice = qobject_cast<const QGroupBox*>(tipo->parentWidget());
        ASSERT_NE(cornice, nullptr) << tipo->objectName().toStdString();
        EXPECT_EQ(cornice->title(), "Tipo documento");
    }
    for (QPushButton* b : {tab.F_CmdDatiCliente, tab.F_CmdParametriFattura, tab.F_CmdNote, tab.F_CmdStampa})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_EQ(pulsantiRiga(), "010000");
    EXPECT_FALSE(tab.F_DbcElemento->isEnabled());

    const ui::Grid& g = *tab.F_FlxFattura;
    EXPECT_EQ(g.rows(), 15);
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.text(0, 0), "  Codice  ");
    EXPECT_EQ(g.text(0, 1), QString(33, ' ') + "Descrizione" + QString(33, ' '));
    EXPECT_EQ(g.text(0, 2), "     Importo      ");
    for (int r = 1; r < 15; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_TRUE(g.text(r, c).isEmpty());
            EXPECT_EQ(g.cellBackColor(r, c), ui::bgr(ui::BgrWhite));
        }
    EXPECT_TRUE(tab.F_LblTotale->text().isEmpty());
    EXPECT_TRUE(tab.F_LblIva->text().isEmpty());

    // A regime chosen before anything is selected draws the empty document with its totals.
    clic(finestra.OptIvaInter);
    EXPECT_EQ(g.rows(), 16);
    EXPECT_TRUE(codici().isEmpty());
    EXPECT_EQ(tab.F_LblTotale->text(), "0,00");
    EXPECT_EQ(tab.F_LblIva->text(), "0,00");
}

TEST_F(TabFatturaFixture, EveryItemShowsUnderItsHeadingsWithTheTotalsUnderTheEuRegime) {
    apri();
    applica(t().F_OptPerOgniVoce);
    EXPECT_EQ(codici(), OgniVoce);
    const QStringList righe = righeGriglia();
    EXPECT_EQ(righe[0], "I.0000|FASCOLA 0001|");
    EXPECT_EQ(righe[2], "E.ANT|     Anticipazione diritti|50,00");
    EXPECT_EQ(righe[4], "I.0001|Consulenza|");
    EXPECT_EQ(righe[7], "L.0001|Sopralluogo|");
    EXPECT_EQ(righe[12], "I.0003| |");
    EXPECT_EQ(t().F_FlxFattura->rows(), 16);
    EXPECT_EQ(t().F_FlxFattura->cellAlignment(3, 2), Qt::AlignRight);
    EXPECT_EQ(t().F_FlxFattura->cellAlignment(3, 1), Qt::AlignLeft);

    // The selection chose the EU regime: the lines carry the catalogue's EU codes.
    EXPECT_TRUE(finestra.OptIvaCee->isChecked());
    EXPECT_FALSE(finestra.OptIvaInter->isChecked());
    EXPECT_TRUE(FascolaCorrente().IvaCee());
    EXPECT_FALSE(FascolaCorrente().IvaInter());
    EXPECT_EQ(t().F_LblTotale->text(), "202,00");
    EXPECT_EQ(t().F_LblIva->text(), "4,00");
    EXPECT_EQ(fattura().RigheFattura.riga(2).CodiceIva, "0");

    // No second criterion for the same document; the document commands are open.
    EXPECT_FALSE(t().F_FrmOpzioni->isEnabled());
    for (QPushButton* b : {t().F_CmdDatiCliente, t().F_CmdParametriFattura, t().F_CmdNote, t().F_CmdStampa})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(t().F_DbcElemento->isEnabled());

    // Switching the regime works every line's VAT out again, the rows unchanged.
    clic(finestra.OptIvaInter);
    EXPECT_EQ(t().F_LblIva->text(), "28,00");
    EXPECT_EQ(codici(), OgniVoce);
    EXPECT_FALSE(FascolaCorrente().IvaCee());
    clic(finestra.OptIvaCee);
    EXPECT_EQ(t().F_LblIva->text(), "4,00");
}

TEST_F(TabFatturaFixture, EachCriterionTakesItsItemsOrSaysWhyNot) {
    apri();
    const struct {
        QRadioButton* TabFattura::*opzione;
        QString mese;
        QStringList codici;
        QString totale;
        std::optional<QString> messaggio;
    } casi[] = {
        {&TabFattura::F_OptFineMese, "2", {"I.0000", "L.0000", "E.ANT", "E.ONO", "I.0003", "L.0000", "E.ZZZ"}, "157,00",
         {}},
        {&TabFattura::F_OptAnticipazioni, {}, {"I.0000", "L.0000", "E.ANT"}, "50,00", {}},
        {&TabFattura::F_OptIncaricoFinito, {}, {"I.0001", "L.0000", "E.ORE", "L.0001", "E.SPE"}, "35,00", {}},
        {&TabFattura::F_OptFascolaFinita, {}, {}, "0,00", "La fascola puntata non è stata dichiarata finita"},
        {&TabFattura::F_OptNessunaSelezione, {}, {}, "0,00", {}},
    };
    for (const auto& c : casi) {
        clic(t().F_CmdVuota);
        ScriptedMessages box;
        if (c.messaggio) box.expectMessage(ui::Answer::Ok, *c.messaggio);
        clic(t().*c.opzione);
        if (!c.mese.isEmpty()) {
            EXPECT_TRUE(t().F_TxtMese->isVisible());
            EXPECT_TRUE(t().F_TxtMese->hasFocus());
            QTest::keyClicks(t().F_TxtMese, c.mese);
        }
        clic(t().F_CmdApplicaSelezione);
        EXPECT_EQ(codici(), c.codici) << (t().*c.opzione)->text().toStdString();
        EXPECT_EQ(t().F_LblTotale->text(), c.totale) << (t().*c.opzione)->text().toStdString();
        // Whatever was found, the document commands open and the criteria close.
        EXPECT_TRUE(t().F_CmdStampa->isEnabled());
        EXPECT_FALSE(t().F_FrmOpzioni->isEnabled());
        EXPECT_FALSE(t().F_TxtMese->isVisible());
    }
}

TEST_F(TabFatturaFixture, AMonthLeftEmptyIsThisMonthAndACriterionFindingNothingSaysSo) {
    apri("0002");
    clic(t().F_OptFineMese);
    {
        // The case file's only item is of May 2004; with an invoice of March 2004 the limit is
        // the end of this month in 2004 up to March, in 2003 from April on: before it anyway.
        ScriptedMessages box;
        box.expectMessage(ui::Answer::Ok, "nessun elemento estratto con il criterio dato");
        clic(t().F_CmdApplicaSelezione);
        EXPECT_EQ(t().F_TxtMese->text(), basic::Format(basic::Today(), "mm"));
    }
    clic(t().F_CmdVuota);
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Ok, "nessun elemento estratto con il criterio dato");
    applica(t().F_OptAnticipazioni);
    EXPECT_TRUE(codici().isEmpty());
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);

    // A finished case file gives all its items.
    clic(t().F_CmdVuota);
    applica(t().F_OptFascolaFinita);
    EXPECT_EQ(codici(), (QStringList{"I.0000", "L.0000", "E.ONO"}));
}

TEST_F(TabFatturaFixture, ChoosingTheTabAgainEmptiesTheGridButKeepsTheLinesUntilTheNextSelection) {
    apri();
    applica(t().F_OptPerOgniVoce);
    ASSERT_EQ(fattura().RigheFattura.NumeroRighe(), 6);
    clicRiga(rigaDellaLinea(5));
    ASSERT_EQ(fattura().RigaCorrente, 5);
    sceltaScheda();
    EXPECT_TRUE(codici().isEmpty());
    EXPECT_FALSE(t().F_CmdStampa->isEnabled());
    EXPECT_TRUE(t().F_OptNessunaSelezione->isChecked());
    EXPECT_TRUE(t().F_FrmOpzioni->isEnabled());
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 6);
    applica(t().F_OptAnticipazioni);
    EXPECT_EQ(elementiLinee(), QStringList{"ANT"});
    // The new document has no line selected: a line chosen now belongs to no task.
    EXPECT_EQ(fattura().RigaCorrente, 0);
    scegliElemento("ONO");
    EXPECT_EQ(fattura().RigaFatturaInCorso.Ntask, "0000");
}

TEST_F(TabFatturaFixture, TheIssueReadsTheComposedDocumentAndResetsTheTab) {
    apri();
    int stampe = 0;
    QString lettera, totale, iva;
    int linee = 0;
    t().Stampa = [&] {
        ++stampe;
        lettera = t().LetteraDocumento();
        totale = basic::Format(t().DocumentoComposto()->Riepilogo.TotaleImponibile, "#,###,##0.00");
        iva = basic::Format(t().DocumentoComposto()->Riepilogo.TotaleIva, "#,###,##0.00");
        linee = fattura().RigheFattura.NumeroRighe();
        t().AzzeraDopoEmissione();
    };
    applica(t().F_OptIncaricoFinito);
    clic(t().F_OptNotaCredito);
    clicRiga(rigaDellaLinea(1));
    ASSERT_EQ(fattura().RigaCorrente, 1);
    clic(t().F_CmdStampa);
    EXPECT_EQ(stampe, 1);
    EXPECT_EQ(lettera, "H");
    EXPECT_EQ(totale, "35,00");
    EXPECT_EQ(iva, "2,00");
    EXPECT_EQ(linee, 2);
    EXPECT_EQ(fattura().RigheFattura.NumeroRighe(), 0);
    EXPECT_EQ(fattura().RigheVisualizzate.NumeroRigheVisualizzate(), 0);
    EXPECT_EQ(fattura().RigaCorrente, 0);
    EXPECT_TRUE(codici().isEmpty());
    EXPECT_TRUE(t().F_OptFattura->isChecked());
    EXPECT_FALSE(t().F_CmdStampa->isEnabled());
    EXPECT_TRUE(t().F_FrmOpzioni->isEnabled());
}

// Linked, the codes are those of the accounting archive, and the VAT summary the issue
// prints from the lines comes to the VAT total the tab shows.
TEST_F(TabFatturaFixture, LinkedTheTabsVatTotalIsTheVatOfThePrintedSummary) {
    apri("0001", true);
    EXPECT_EQ(t().F_LblNomeCliente->text().trimmed(), "Rossi Mario S.r.l.");
    applica(t().F_OptPerOgniVoce);
    clic(finestra.OptIvaInter);
    EXPECT_EQ(t().F_LblTotale->text(), "202,00");
    EXPECT_EQ(t().F_LblIva->text(), "28,00");

    LettoreAliquoteIva aliquote(*ArchivioInUso(), true);
    const auto riepilogo = CalcoloRiepilogoIva(fattura().RigheFattura, aliquote);
    ASSERT_TRUE(riepilogo);
    EXPECT_EQ(basic::Format(riepilogo->TotaleIva, "#,###,##0.00"), t().F_LblIva->text());
    EXPECT_EQ(basic::Format(riepilogo->TotaleImponibile, "#,###,##0.00"), t().F_LblTotale->text());
    EXPECT_EQ(DefinizioneAliquotaIva(fattura().RigheFattura.riga(2), aliquote), "20,00");
}

// Linked, a line whose VAT code the accounting archive lacks says so in the grid, where the
// tab works out the VAT it does not have.
TEST_F(TabFatturaFixture, LinkedALineWhoseVatCodeTheArchiveLacksSaysSoInTheGrid) {
    apri("0001", true);
    ArchivioInUso()->execute("DELETE FROM ivacodici WHERE codice = '0'");
    applica(t().F_OptPerOgniVoce);
    clic(finestra.OptIvaInter);
    const QStringList righe = righeGriglia();
    const QStringList attese = {"E.ANT|     Anticipazione diritti  [codice IVA 0 non presente in contabilità]|50,00",
                                "E.ONO|     Onorario pratica|100,00",
                                "E.ZZZ|     Voce fuori catalogo  [manca il codice IVA]|7,00"};
    for (const QString& attesa : attese)
        EXPECT_TRUE(righe.contains(attesa)) << attesa.toStdString() << "\n" << righe.join("\n").toStdString();
    EXPECT_EQ(t().F_LblIva->text(), "28,00");
}

}  // namespace

namespace {

// The window keeps its size while the invoice tab fills with lines and totals, and whatever
// tab is shown after.
class DimensioneFinestra : public TabFatturaFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(DimensioneFinestra, TheWindowKeepsItsSizeWhileTheDocumentFills) {
    apri("0001", GetParam());
    QApplication::processEvents();
    const QSize iniziale = finestra.size();
    applica(t().F_OptPerOgniVoce);
    QApplication::processEvents();
    ASSERT_FALSE(righeGriglia().isEmpty());
    EXPECT_EQ(finestra.size(), iniziale);
    for (int i = 0; i < finestra.NellaFascola->count(); ++i) {
        finestra.NellaFascola->setCurrentIndex(i);
        QApplication::processEvents();
        EXPECT_EQ(finestra.size(), iniziale) << "tab " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Collegamento, DimensioneFinestra, ::testing::Bool());

}  // namespace
