#pragma once
// An installed program (start folder, Fascola.ini, case-file archive with its parameters
// row, linked or not to the sample accounting archive) on which the catalogue form is opened
// as the menu opens it, and helpers that act on the form as a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "casefiles/forms/NavigatoreRecord.h"
#include "fees/forms/FrmElefat.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "fixtures/ProgrammaInstallato.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "platform/ui/RefillCombo.h"
#include "startup/engine/TerminaProgramma.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/UserInput.h"

namespace catalogo {

struct Terminato {};

class ElefatFixture : public ::testing::Test, public UserInput {
protected:
    ElefatFixture() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        sys::OverrideHostName(QStringLiteral("PCTEST"));
        ImpostaTerminazione([] { throw Terminato{}; });
    }
    ~ElefatFixture() override {
        form.reset();
        ImpostaTerminazione({});
        sys::OverrideHostName(std::nullopt);
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
    }

    // The start folder's configuration: the link off, or on to the sample company ROSSI 2004.
    void installa(bool collegato = false) {
        contabilita = fixtures::InstallaProgramma(cartella.path(), fascole, collegato);
        AmbienteLavoro().CartellaAvvio = cartella.path();
    }

    // The form opened as the menu opens it (its load runs the start-up again), on screen.
    FrmElefat& apri(bool collegato = false) {
        installa(collegato);
        form = std::make_unique<FrmElefat>();
        form->show();
        QApplication::setActiveWindow(form.get());
        return *form;
    }

    FrmElefat& f() { return *form; }

    using UserInput::clic;
    // On the button's own mark: a check box or option takes a click on its mark or its
    // caption, not on the empty rest of its row.
    static void clic(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
    }
    // A click on a combo's text, where the user clicks to type.
    static void clic(ui::RefillCombo* combo) { QTest::mouseClick(combo->lineEdit(), Qt::LeftButton); }
    // Leaves the field being typed in, as the tab key would.
    void lascia() { entra(f().CmdFine); }

    // One element typed into the insert form, not yet confirmed.
    struct Voce {
        QString codice, descrizione;
        QRadioButton* calcolo;
        QString importo, arrotonda, iva, ivacee;
        QRadioButton* tipo;
        bool accoda = false;
        QString giorni = {};  // a payment term in days; empty: the client's own terms
    };
    void scriviVoce(const Voce& v) {
        scrivi(f().DbcCodice, v.codice);
        scrivi(f().DbcDescrizione, v.descrizione);
        if (v.accoda) clic(f().ChkAccoda);
        clic(v.calcolo);
        scrivi(f().TxtImporto, v.importo);
        scrivi(f().TxtArrotonda, v.arrotonda);
        scrivi(f().DbcIva, v.iva);
        scrivi(f().DbcIvacee, v.ivacee);
        clic(v.tipo);
        if (!v.giorni.isEmpty()) {
            clic(f().OptPagaCod);
            scrivi(f().DbcPagamento, v.giorni);
        }
        lascia();
    }

    // The seven buttons' enabled state, AGGIUNGI to STAMPA.
    std::vector<bool> pulsanti() {
        std::vector<bool> stato;
        for (QPushButton* b : {f().CmdAggiungi, f().CmdRicerca, f().CmdCorreggi, f().CmdCancella, f().CmdConferma,
                               f().CmdAnnulla, f().CmdStampa})
            stato.push_back(b->isEnabled());
        return stato;
    }
    QString didascalia() { return f().DtaSelezionati->caption(); }
    void naviga(int azione) {
        QToolButton* b[] = {f().DtaSelezionati->Primo, f().DtaSelezionati->Precedente,
                            f().DtaSelezionati->Successivo, f().DtaSelezionati->Ultimo};
        clic(b[azione - 1]);
    }

    db::Value colonna(const std::string& sql, const db::Params& parametri = {}) {
        return fascole.db().scalar(sql, parametri);
    }
    QString testo(const std::string& sql, const db::Params& parametri = {}) {
        return colonna(sql, parametri).textOr(QString());
    }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
    std::unique_ptr<AccountingFixture> contabilita;
    ScriptedMessages box;
    std::unique_ptr<FrmElefat> form;
};

using Pulsanti = std::vector<bool>;
inline const Pulsanti ModoRicerca = {true, true, false, false, false, false, false};
inline const Pulsanti ModoInserimento = {false, false, false, false, true, true, false};
inline const Pulsanti ModoVisione = {false, false, false, true, false, true, true};
inline const Pulsanti ModoCorrezione = {false, false, true, false, false, true, true};

}  // namespace catalogo
