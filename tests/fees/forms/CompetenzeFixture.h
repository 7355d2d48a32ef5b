#pragma once
// The started program with case file 0001 of the catalogue-of-every-kind fixture on display
// and the fee-item tab chosen, and helpers that work the tab as a user does.
#include <gtest/gtest.h>

#include <QTabWidget>

#include "casefiles/forms/MascheraFixture.h"
#include "casefiles/forms/TabIncarichi.h"
#include "fees/engine/CatalogoCompetenze.h"
#include "fees/forms/TabCompetenze.h"

namespace competenze_in_uso {

class CompetenzeFixture : public maschera::MascheraFixture {
protected:
    // The program started (linked to the sample company, or with a registry client) on the
    // client's case file 0001, the fee-item tab in front.
    void apri(bool collegato = false) {
        cliente = collegato ? QStringLiteral("01.01.01.0001") : QStringLiteral("R01");
        catalogo_competenze::riempi(fascole, cliente);
        if (!collegato) fascole.addClient(cliente, {{"ragione", "Rossi Mario"}});
        preparaVoci();
        avvia(collegato);
        cercaTutte();
        ASSERT_EQ(m().LblNpra->text(), "0001");
        finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaCompetenze);
    }
    // Rows to store before the program starts.
    virtual void preparaVoci() {}

    TabCompetenze& t() { return competenze(); }

    // An element chosen by code, the combo then left.
    void scegli(const QString& codice) {
        scrivi(t().C_DbcElemento, codice);
        entra(t().C_FlxCompetenze);
    }
    // Types into a box and leaves it.
    void digita(QLineEdit* box, const QString& testo) {
        scrivi(box, testo);
        entra(t().C_FlxCompetenze);
    }
    // Passes through a box without typing.
    void attraversa(QWidget* box) {
        entra(box);
        entra(t().C_FlxCompetenze);
    }

    // A mouse click on row `r` of a grid, scrolled into view first.
    static void clicRiga(ui::Grid& g, int r) {
        const QModelIndex cella = g.model()->index(r - 1, 0);
        g.scrollTo(cella);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(cella).center());
    }
    void clicRiga(int r) { clicRiga(*t().C_FlxCompetenze, r); }
    // A click on the task `r` of the tasks tab, then back to the fee items.
    void scegliIncarico(int r) {
        finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaIncarichi);
        clicRiga(*finestra.Incarichi->I_FlxIncarichi, r);
        finestra.NellaFascola->setCurrentIndex(FrmFascola::SchedaCompetenze);
    }

    // The fee grid's filled rows, their nine cells joined by "|".
    QStringList griglia() {
        QStringList righe;
        const ui::Grid& g = *t().C_FlxCompetenze;
        for (int r = 1; r < g.rows(); ++r) {
            QStringList celle;
            for (int c = 0; c < 9; ++c) celle << g.text(r, c);
            if (!celle.join("").isEmpty()) righe << celle.join("|");
        }
        return righe;
    }

    // The stored fee item, its columns from descrizione to fattore joined by "|"; "(none)".
    std::string riga(const QString& ntask, const QString& njob, const QString& elemento) {
        return colonna("SELECT descrizione || '|' || data || '|' || importo || '|' || impofat || '|' || primanota "
                       "|| '|' || darepn || '|' || averepn || '|' || idpn || '|' || fatturato || '|' || ricavi || "
                       "'|' || idfattura || '|' || spuntato || '|' || pagamento || '|' || addebitounitario || '|' "
                       "|| fattore FROM competenze WHERE cliente = ? AND npra = '0001' AND ntask = ? AND njob = ? "
                       "AND elemento = ?",
                       {cliente, ntask, njob, elemento})
            .textOr(std::string("(none)"));
    }

    // Which of the fields take input: element combos, description, payment, date, amount,
    // factor, amount to invoice, as "1" and "0".
    QString aperti() {
        QString s;
        for (QWidget* w : std::initializer_list<QWidget*>{t().C_DbcElemento, t().C_DbcDescrizEle,
                                                          t().C_TxtDescrizione, t().C_DbcPagamento, t().C_TxtData,
                                                          t().C_TxTImporto, t().C_TxtFattore, t().C_TxtImpoFatt})
            s += w->isEnabled() ? "1" : "0";
        return s;
    }

    // What the amount boxes show: the captions, then "+text" for a box shown and "-" for one
    // hidden, then the amount to invoice.
    QString importi() {
        const auto box = [](QLineEdit* b) { return b->isVisible() ? "+" + b->text() : QString("-"); };
        return t().C_LblCheCao->text() + "|" + t().C_LblFattore->text() + "|" + box(t().C_TxTImporto) + "|" +
               box(t().C_TxtFattore) + "|" + t().C_TxtImpoFatt->text();
    }

    static QString oggi() { return QDate::currentDate().toString("dd/MM/yyyy"); }
    static std::string oggiIso() { return QDate::currentDate().toString(Qt::ISODate).toStdString(); }

    QString cliente;
};

}  // namespace competenze_in_uso
