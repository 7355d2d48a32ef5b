#pragma once
// The started program on the case file of FascolaDaFatturare.h, on display in the mask, and
// helpers that work the invoice tab as a user does.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenu>
#include <QTabWidget>

#include "casefiles/forms/MascheraFixture.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/FascolaDaFatturare.h"
#include "invoice/engine/RigheFattura.h"
#include "invoice/forms/TabFattura.h"
#include "platform/ui/FormUtil.h"

namespace tab_fattura {

class TabFatturaFixture : public maschera::MascheraFixture {
protected:
    TabFatturaFixture() { RipristinaFatturaInComposizione(); }
    ~TabFatturaFixture() override { RipristinaFatturaInComposizione(); }

    // The program started on the sample case files of `cliente` (a registry client when not
    // linked, the sample's client account when linked), case file `npra` on display and the
    // invoice tab chosen, the invoice dated 15/03/2004. Linked, the sample accounting archive
    // also holds the catalogue's VAT code 0 of the advances (exempt).
    void apri(const QString& npra = "0001", bool collegato = false) {
        cliente = collegato ? QStringLiteral("01.01.01.0001") : QStringLiteral("R01");
        fascola_da_fatturare::riempi(fascole, cliente);
        if (!collegato)
            fascole.addClient(cliente, {{"ragione", "Rossi Mario"},
                                        {"indirizzo", "Via Roma 1"},
                                        {"cap", "00184"},
                                        {"localita", "Roma"},
                                        {"provincia", "RM"},
                                        {"picf", "01234567890"}});
        avvia(collegato);
        if (collegato)
            AccountingFixture::inserisci(*AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile), "ivacodici",
                                         {{"codice", "0"}, {"descrizione", "Esente art. 10"}, {"aliquota", 0}});
        ParametriFattura().DataFattura = "15/03/2004";
        cercaTutte();
        for (int i = 0; i < 5 && m().LblNpra->text() != npra; ++i) clic(m().DtaSelezionatiFascola->Successivo);
        ASSERT_EQ(m().LblNpra->text(), npra);
        sceltaScheda();
    }

    // A click on the invoice tab of the strip.
    void sceltaScheda() {
        finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaFascola);
        finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaFattura);
    }

    TabFattura& t() { return *finestra.findChild<TabFattura*>("TabFattura"); }
    FatturaInComposizioneRec& fattura() { return FatturaInComposizione(); }

    void applica(QRadioButton* criterio) {
        clic(criterio);
        clic(t().F_CmdApplicaSelezione);
    }

    // The grid's rows as "code|description|amount", the filled ones only.
    QStringList righeGriglia() {
        QStringList righe;
        const ui::Grid& g = *t().F_FlxFattura;
        for (int r = 1; r < g.rows(); ++r) {
            const QString riga = g.text(r, 0) + "|" + g.text(r, 1) + "|" + g.text(r, 2);
            if (riga != "||") righe << riga;
        }
        return righe;
    }
    // The code column of the filled rows.
    QStringList codici() {
        QStringList c;
        for (const QString& r : righeGriglia()) c << r.section('|', 0, 0);
        return c;
    }

    // A mouse click on grid row `r`, scrolled into view first.
    void clicRiga(int r, Qt::MouseButton tasto = Qt::LeftButton) { UserInput::clicRiga(*t().F_FlxFattura, r, tasto); }
    // The grid row showing line `i`.
    int rigaDellaLinea(int i) {
        const TabellaRigheVisualizzate& v = fattura().RigheVisualizzate;
        for (int r = 1; r <= v.NumeroRigheVisualizzate(); ++r)
            if (v.riga(r).Tipo == TipoRiga::Elemento && v.riga(r).IndiceRiga == i) return r;
        return 0;
    }

    // An element chosen by code for a new line, the combo then left.
    void scegliElemento(const QString& codice) {
        scrivi(t().F_DbcElemento, codice);
        entra(t().F_FlxFattura);
    }
    // Types into an amount box and leaves it.
    void importo(QLineEdit* box, const QString& testo) {
        scrivi(box, testo);
        entra(t().F_FlxFattura);
    }

    // The place chosen in the grid's pop-up menu, opened by a right click on row `r`.
    void inserisciDalMenu(int r, QAction* voce) {
        clicRiga(r, Qt::RightButton);
        ASSERT_TRUE(t().mnurapido->isVisible());
        voce->trigger();
        t().mnurapido->hide();
    }

    // The line buttons ALTRI DATI, VUOTA, ANNULLA, AGGIUNGI, CORREGGI, TOGLI as "1" and "0".
    QString pulsantiRiga() {
        QString s;
        for (QPushButton* b : {t().F_CmdVediAltriDati, t().F_CmdVuota, t().F_CmdAnnulla, t().F_CmdAggiungi,
                               t().F_CmdCorreggi, t().F_CmdTogli})
            s += b->isEnabled() ? "1" : "0";
        return s;
    }

    // The element ZZZ of the fee item outside the catalogue put back into it (a fee at 20 %,
    // revenue 04.01.01.0001), as a user does to post that item: a line of an element that left
    // the catalogue has no VAT code, and can be neither corrected nor taken off.
    void rimettiInCatalogo() {
        fascole.addCatalogueItem("ZZZ", {{"descrizione", "Voce ripristinata"},
                                         {"calcolo", "R"},
                                         {"tipo", "X"},
                                         {"iva", "20"},
                                         {"ivacee", "20"},
                                         {"contofat", "04.01.01.0001"}});
    }

    QStringList elementiLinee() {
        QStringList e;
        for (const RigaFattura& r : fattura().RigheFattura) e << r.elemento;
        return e;
    }

    QString cliente;
};

}  // namespace tab_fattura
