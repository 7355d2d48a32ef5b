#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "accounting/engine/LetturaContabile.h"
#include "accounting/forms/NormalizzaCampoPdC.h"
#include "fees/engine/CatalogoContabile.h"
#include "fees/engine/VerificaElemento.h"
#include "fees/forms/ElefatArchivio.h"
#include "fees/forms/FrmElefat.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "foundation/engine/Generale.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/RefillCombo.h"

using namespace elefat;

// --- look-ups in the accounting archive ----------------------------------------------------

void FrmElefat::CoerenzaCodificaIva(int selettore) {
    ui::RefillCombo* combo = selettore == Ordinaria ? DbcIva : DbcIvacee;
    QLabel* etichetta = selettore == Ordinaria ? LblIva : LblIvacee;
    if (!Collegato()) {
        if (!basic::IsNumeric(combo->currentText())) {
            combo->setEditText({});
            etichetta->clear();
        }
        return;
    }
    Procedura proc("Funzione di coerenza codifica iva");
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    std::optional<CodiceIva> trovato;
    if (!proc.essenziale([&] { trovato = IvaDaDescrizione(*archivio, combo->currentText()); })) return;
    if (trovato) {
        etichetta->setText(DidascaliaIva(*trovato));
    } else {
        combo->setEditText({});
        etichetta->clear();
    }
}

void FrmElefat::DefinizioneCampoIva(int selettore) {
    const ElementoLetto* riga = inVisione();
    if (!riga) return;
    ui::RefillCombo* combo = selettore == Ordinaria ? DbcIva : DbcIvacee;
    QLabel* etichetta = selettore == Ordinaria ? LblIva : LblIvacee;
    const QString codice = selettore == Ordinaria ? riga->elemento.iva : riga->elemento.ivacee;
    Procedura proc("Funzione di definizione campo iva per elemento");
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    std::optional<CodiceIva> trovato;
    if (!proc.essenziale([&] { trovato = IvaDaCodice(*archivio, codice); })) return;
    combo->setEditText(trovato ? trovato->descrizione : QString());
    etichetta->setText(trovato ? DidascaliaIva(*trovato) : QString());
}

void FrmElefat::AssegnazioneConto(int selettore) {
    const ElementoLetto* riga = inVisione();
    if (!riga) return;
    ui::RefillCombo* combo = selettore == ContoRicavi ? DbcContofat : selettore == ContoDare ? DbcDare : DbcAvere;
    QLabel* etichetta = selettore == ContoRicavi ? LblContofat : selettore == ContoDare ? LblDare : LblAvere;
    const ElementoDaFatturare& e = riga->elemento;
    const QString codice = selettore == ContoRicavi ? e.contofat : selettore == ContoDare ? e.dare : e.avere;
    Procedura proc("Funzione di assegnazione conto");
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    std::optional<ContoPdC> conto;
    if (!proc.essenziale([&] { conto = ContoDaCodice(*archivio, codice); })) return;
    etichetta->setText(conto ? conto->codice : QString());
    combo->setEditText(conto ? conto->descrizione : QString());
    combo->keepShownText();
}

void FrmElefat::ContoLasciato(ui::RefillCombo& combo, QLabel& codice) {
    // A description left as it was shown keeps the code it stood for, whichever account of
    // that description it is.
    if (!combo.shownTextChanged()) return;
    codice.clear();
    const QString testo = combo.currentText();
    if (!testo.isEmpty()) {
        Procedura proc("Funzione di lettura conto");
        Connessione archivio = ArchivioContabileInUso(proc);
        if (!archivio) return;
        QString trovato = LetturaDescrizionePianoDeiConti(*archivio, testo);
        // A text that is no description is read as a code, a word or "?" for the picker, as
        // every account box reads one; words apart that do not begin with a digit can only be a
        // description mistyped, and get no code. The blanks typed around a code are no part of it.
        QString digitato = testo.trimmed();
        const bool frase = digitato.contains(u' ') && !digitato.front().isDigit();
        if (trovato.isEmpty() && !frase) {
            const QString normalizzato = NormalizzaCodicePdC(digitato, combo);
            std::optional<ContoPdC> conto;
            if (!proc.essenziale([&] { conto = SottocontoDaCodice(*archivio, normalizzato); })) return;
            if (conto) {
                trovato = conto->codice;
                combo.setEditText(conto->descrizione);
            }
        }
        codice.setText(trovato);
    }
    combo.keepShownText();
}

void FrmElefat::ComePaga() {
    // An option the program turns on counts as clicked: on an element on display that is
    // a correction.
    auto scegli = [this](QRadioButton* opzione) {
        if (opzione->isChecked()) return;
        opzione->setChecked(true);
        CampoCliccato();
    };
    if (!Collegato()) {
        // Not linked the term is a number of days, which only "Applica " can hold.
        scegli(OptPagaCod);
        LblCodicePagamento->setText(GiorniPagamento(DbcPagamento->currentText()));
        return;
    }
    if (!OptPagaCod->isChecked()) {
        scegli(OptPagaCli);
        LblCodicePagamento->setText(PagamentoDelCliente);
        return;
    }
    Procedura proc("Funzione di definizione codice pagamento");
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    std::optional<QString> codice;
    if (!proc.essenziale([&] { codice = PagamentoDaDescrizione(*archivio, DbcPagamento->currentText()); })) return;
    LblCodicePagamento->setText(codice.value_or(PagamentoDelCliente));
}

void FrmElefat::DescrizionePagamento() {
    const QString codice = LblCodicePagamento->text();
    if (!Collegato()) {
        DbcPagamento->setEditText(codice);
        return;
    }
    Procedura proc("Funzione di definizione descrizione codice pagamento");
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    std::optional<QString> descrizione;
    if (!proc.essenziale([&] { descrizione = DescrizioneCodicePagamento(*archivio, codice); })) return;
    DbcPagamento->setEditText(descrizione.value_or(codice));
}

// --- field handlers ------------------------------------------------------------------------

void FrmElefat::DbcCodice_LostFocus() {
    const QString testo = DbcCodice->currentText();
    if (!testo.isEmpty()) DbcCodice->setEditText(testo.toUpper());
}

void FrmElefat::dbcdescrizione_LostFocus() {
    const QString testo = DbcDescrizione->currentText();
    if (testo.size() > LunghezzaDescrizione) DbcDescrizione->setEditText(testo.left(LunghezzaDescrizione));
}

void FrmElefat::TxtImporto_LostFocus() {
    // A text that is no number in figures stays as typed, for the checks to point out: the
    // figures picked out of "1.2OO,00" are no price to show.
    try {
        if (const auto importo = ValoreInCifre(TxtImporto->text()))
            TxtImporto->setText(basic::Format(*importo, AmbienteLavoro().FormatoImporto));
    } catch (const db::DbError&) {
        // Beyond the range of an amount: the text stays for the checks to point out.
    }
}

void FrmElefat::DtaSelezionati_Validate(int Action, int) { SpostaRecord(Action); }
