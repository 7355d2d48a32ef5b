#pragma once
// The client billing parameters form on a case-file archive of the test's own (the accounting
// link off, or on to the sample company), with helpers that act on it as a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "casefiles/forms/NavigatoreRecord.h"
#include "clients/forms/FrmParCli.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/UserInput.h"

namespace parcli_test {

class ParCliFixture : public ::testing::Test, public UserInput {
protected:
    ParCliFixture() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        AmbienteLavoro().FormatoImporto = "###,##0.00";
        AmbienteLavoro().FormatoImportoEsteso = "#,###,##0.00";
        fascole.addClient("R01", {{"ragione", "Rossi Mario"}});
        fascole.addClient("B02", {{"ragione", "Bianchi Srl"}});
        fascole.addClient("V03", {{"ragione", "Verdi Anna"}});
        fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"importo", 100}, {"tipo", "X"}});
        fascole.addCatalogueItem("BOL", {{"descrizione", "Bolli"}, {"importo", 2.5}, {"tipo", "C"}});
        fascole.addCatalogueItem("SPE", {{"descrizione", "Spese di cancelleria varie"}, {"importo", 10},
                                         {"tipo", "C"}});
        fascole.addCatalogueItem("ANT", {{"descrizione", "Anticipazioni"}, {"tipo", "A"}});
    }
    ~ParCliFixture() override {
        form.reset();
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
    }

    // Links the program to the sample company ROSSI 2004, as a linked start-up leaves it.
    void collega() {
        contabilita = std::make_unique<AccountingFixture>(cartella.path());
        contabilita->creaCampione();
        contabilita->collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
    }

    // Opens the form as the menu item does, shown and active.
    FrmParCli& apri() {
        form = std::make_unique<FrmParCli>();
        form->show();
        QApplication::setActiveWindow(form.get());
        return *form;
    }
    FrmParCli& f() { return *form; }

    // Leaves the field being typed in, for the exit button, which is always there.
    void lascia() { entra(f().cmdFine); }

    void scegliCliente(const QString& nome) {
        scrivi(f().DbcNomeCliente, nome);
        lascia();
    }
    // A fixed item chosen by description with its occasion (nullptr: none), then AGGIUNGI.
    void aggiungiFisso(const QString& descrizione, QRadioButton* occasione) {
        scrivi(f().DbcElementoFisso, descrizione);
        lascia();
        if (occasione) clic(occasione);
        clic(f().CmdAggiungiFisso);
    }
    void aggiungiListino(const QString& descrizione, const QString& prezzo, const QString& pagamento = {}) {
        scrivi(f().DbcElementoListino, descrizione);
        scrivi(f().TxtListino, prezzo);
        scrivi(f().DbcPagamento, pagamento);
        lascia();
        clic(f().CmdAggiungiListino);
    }

    // The enabled state of AGGIUNGI, RICERCA, CORREGGI, CANCELLA, CONFERMA, ANNULLA, STAMPA and
    // the first list button.
    std::vector<bool> pulsanti() {
        std::vector<bool> stato;
        for (QPushButton* b : {f().cmdAggiungi, f().cmdRicerca, f().cmdCorreggi, f().cmdCancella, f().cmdConferma,
                               f().cmdAnnulla, f().CmdStampa, f().CmdAggiungiFisso})
            stato.push_back(b->isEnabled());
        return stato;
    }

    // A grid's data rows as "cell|cell|..." texts.
    static QStringList righe(const ui::Grid& g) {
        QStringList r;
        for (int i = 1; i < g.rows(); ++i) {
            QStringList celle;
            for (int c = 0; c < g.cols(); ++c) celle << g.text(i, c);
            r << celle.join('|');
        }
        return r;
    }

    QStringList listino(const QString& cliente) {
        QStringList r;
        auto rs = fascole.db().openRecordset("SELECT * FROM elecli WHERE cliente = ? ORDER BY rowid", {cliente});
        for (; !rs->EOF_(); rs->MoveNext())
            r << rs->field("elemento").toText<QString>() + "|" + rs->field("importo").toText<QString>() + "|" +
                     rs->field("pagamento").textOr(QString("<null>"));
        return r;
    }
    db::Value colonna(const std::string& sql, const db::Params& parametri = {}) {
        return fascole.db().scalar(sql, parametri);
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<AccountingFixture> contabilita;
    std::unique_ptr<FrmParCli> form;
};

}  // namespace parcli_test
