#pragma once
// The fee-item tab of the main window (tab "&Competenze"): the labels naming the case file,
// task and job that new fee items go to, the entry fields of one fee item, its five commands
// and the grid of the displayed case file's fee items. Its labels show FascolaCorrente() and
// nothing else: the case file on display, and the task and job chosen on their tabs or by a
// click on a fee item. Another case file on display, or none, puts the tab in its state for
// it.
//
// The tab is in one of three states: no case file (every field closed); entry (only the
// element combos open: choosing an element proposes the rest and opens the amount boxes its
// mode needs); item shown (a click on the grid loaded a stored fee item: every field open
// but the element combos, so that its key stays). Each command brings it back to entry.
// The rules behind the fields are the fee engine's (fees/engine/CalcoloCompetenza.h,
// DefaultCompetenza.h, ComandiCompetenza.h).
#include <QWidget>
#include <optional>
#include <vector>

#include "casefiles/forms/ServiziCompetenze.h"
#include "fees/engine/CalcoloCompetenza.h"
#include "fees/engine/CompetenzeFascola.h"
#include "fees/engine/DefaultCompetenza.h"
#include "fees/engine/DettaglioCompetenza.h"
#include "fees/engine/ElementoMostrato.h"
#include "foundation/engine/Sessione.h"

class FrmFascola;
class QLabel;
class QLineEdit;
class QPushButton;
namespace db {
class Database;
}
namespace ui {
class Grid;
class RefillCombo;
}

class TabCompetenze : public QWidget, public ServiziCompetenze {
    Q_OBJECT
public:
    // Builds the tab inside the window's fee-item page and hands it to the window.
    explicit TabCompetenze(FrmFascola& finestra);

    // The grid's heading: every column centred and as wide as its heading, blanks included.
    static inline const QString FormatoGriglia =
        QStringLiteral("^Incarico|^Lavoro|^Codice|^Costo/Antic|^ Add.Unit. |^ % o Qta |^Fatturare |^F.to|^PN");

    void C_PulisciCampi() override;
    void C_AbilitaElemento(bool abilita) override;
    void C_AbilitaDescrizione(bool abilita) override;
    void C_AbilitaImporti(bool abilita) override;
    void C_VuotaGriglia() override;
    void C_MostraGriglia() override;

    // The layout of the amount boxes that the last element chosen or item loaded asked for;
    // Nessuno until the first. Clearing the tab leaves it.
    CasoCalcolo ModoCalcolo() const { return modoCalcolo_; }

    // The bookkeeping side of the item in the fields, lent to the detail dialog and stored by
    // the next addition or correction.
    DettaglioCompetenzaRec& Dettaglio() { return dettaglio_; }

    // The case file on display: client name, client code, case number.
    QLabel* C_LblNomeCliente;
    QLabel* C_LblCodiceCliente;
    QLabel* C_LblNpra;
    // The task and job a new fee item goes to; "0000" for none.
    QLabel* C_LblNtask;
    QLabel* C_LblNjob;

    // The entry fields of one fee item.
    ui::RefillCombo* C_DbcElemento;
    ui::RefillCombo* C_DbcDescrizEle;
    QLineEdit* C_TxtDescrizione;
    QLabel* C_LblCheCao;  // what C_TxTImporto holds, by the element's calculation mode
    QLineEdit* C_TxTImporto;
    QLabel* C_LblFattore;  // percentage or quantity
    QLineEdit* C_TxtFattore;
    QLineEdit* C_TxtImpoFatt;
    ui::RefillCombo* C_DbcPagamento;
    QLineEdit* C_TxtData;
    ui::Grid* C_FlxCompetenze;

    QPushButton* C_CmdAggiungi;
    QPushButton* C_CmdCorreggi;
    QPushButton* C_CmdCancella;
    QPushButton* C_CmdVuota;
    QPushButton* C_CmdVediAltriDati;

private:
    void costruisci();
    void collegaEventi();
    void FascolaCambiata();
    void DestinazioneCambiata();

    // The session, opened under the error handler with `descrizione`; nullptr when it could
    // not be.
    Connessione sessione(const QString& descrizione);

    // --- The element chosen and its amount boxes.
    void C_DbcElemento_LostFocus();
    void C_DbcDescrizEle_LostFocus();
    void DefinizioneDefault(SceltaElemento modo);
    // Lays the amount boxes out for the element: a new item's prices, or a stored item's
    // values when `memorizzata` is given.
    void C_DefinizioneCalcolo(const ElementoDaFatturare& elemento, const std::optional<Currency>& prezzoCliente,
                              const Competenza* memorizzata);
    // The amount to invoice worked out again from the amount and the factor, when the user
    // has changed either since the boxes were laid out or last worked out; a new item's
    // proposed values count as not yet worked out.
    void C_CalcoloImpoFatt();

    // --- The grid.
    void C_FlxCompetenze_Click(int riga);

    // --- Commands.
    CampiCompetenza campi() const;
    ChiaveCompetenza chiave() const;
    // The element the fields show; nullptr when they show none.
    const ElementoDaFatturare* mostrato() const { return elementoMostrato_ ? &*elementoMostrato_ : nullptr; }
    // The fields pass the checks for `scopo`; otherwise the first failure has been shown and
    // the focus sent to its field.
    bool VerificaCoerenzaDati(ScopoVoce scopo);
    // After a command that wrote, or found the item already there: fields cleared, only the
    // element combos open, the grid read again.
    void aggiornaDopoComando();
    // The grid emptied to `righe` rows, heading included.
    void C_PreparaGriglia(int righe);
    void C_CmdAggiungi_Click();
    void C_CmdCorreggi_Click();
    void C_CmdCancella_Click();
    void C_CmdVuota_Click();
    void C_CmdVediAltriDati_Click();

    FrmFascola& finestra_;
    CasoCalcolo modoCalcolo_ = CasoCalcolo::Nessuno;
    DettaglioCompetenzaRec dettaglio_;
    bool daRicalcolare_ = false;
    // The fee items the grid shows, row r being righe_[r - 1].
    std::vector<CompetenzaLetta> righe_;
    // The stored item loaded by the last grid click, as it was read.
    std::optional<CompetenzaLetta> caricata_;
    // The element whose description and defaults the fields show, as read when they were
    // filled from it: the one chosen, or that of the item loaded; nothing once cleared.
    std::optional<ElementoDaFatturare> elementoMostrato_;
    // The task and job the labels showed before the last click on the grid; nothing when
    // there has been no click since the case file was put on display.
    std::optional<std::pair<QString, QString>> destinazioneSalvata_;
};
