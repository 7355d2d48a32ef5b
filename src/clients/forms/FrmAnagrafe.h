#pragma once
// The program's own client registry ("ANAGRAFICA CLIENTI"), kept while no accounting
// archive is linked: clients searched by code and name, browsed, corrected, deleted with
// their billing parameters while no case file uses them, and inserted one after the other. A
// record form (SchedaRecord: the modes, the search result and its browser, the command
// buttons) over the client's fields.
#include <QDialog>
#include <optional>
#include <vector>

#include "casefiles/forms/NavigatoreRecord.h"
#include "casefiles/forms/SchedaRecord.h"
#include "clients/engine/Anagrafe.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace ui {
class RefillCombo;
}

class FrmAnagrafe : public QDialog, public SchedaRecord {
    Q_OBJECT
public:
    // Loads the form in its initial mode, on the archive of the session.
    explicit FrmAnagrafe(QWidget* parent = nullptr);
    ~FrmAnagrafe() override;

    void AbilitaCampi() override;
    void Visualizza() override;
    void PulisciCampi();
    // Whether a case file uses the client `codice`; false when the look-up failed.
    bool Bollato(const QString& codice);
    // A press on one of the browser's arrows; any other Action does nothing.
    void DtaSelezionati_Validate(int Action, int Save = 0);

    QLabel* lblTitolo;
    ui::RefillCombo* DbcCodice;
    QLineEdit* TxtRagione;
    QLineEdit* TxtIndirizzo;
    QLineEdit* TxtCap;
    QLineEdit* TxtLocalita;
    QLineEdit* TxtProvincia;
    QLineEdit* TxtStato;
    QLineEdit* TxtPicf;
    NavigatoreRecord* DtaSelezionati;
    QPushButton *cmdAggiungi, *cmdRicerca, *cmdCorreggi, *cmdCancella, *cmdConferma, *cmdAnnulla;
    QPushButton* cmdFine;
    QLabel* lblAzioneInCorso;

    // A client of the search result is on display.
    const bool& AnagraficaInVisione = RecordInVisione;
    // The last search result, each row as read, kept while the user browses it; nothing
    // before the first search and after ESCI.
    std::optional<std::vector<RigaAnagrafe>> RsSelezionati;

protected:
    // The unload, however the form is closed: the mask back to its initial mode and the
    // search result let go.
    void done(int risultato) override;

private:
    void costruisci();
    void collegaEventi();

    // The search mask: code and name only; a new client: empty fields, Italy as its state.
    void MascheraDiRicerca() override;
    bool Controlli() override;
    void CampiNuovi() override;
    QWidget& CampoChiave() override;
    DatiAnagrafica campi() const;

    // The search result: the row on display, taken out once deleted. A step of the browser
    // that moves nothing ends the display: a click then corrects no more.
    const RigaAnagrafe& rigaInVisione() const;
    void TogliRiga(long posizione) override;
    bool MossaNullaChiudeVisione() const override { return true; }
    // A client in use is warned of before its correction.
    bool RecordInUso() override;

    // The commands; ESCI closes.
    void Ricerca() override;
    void Conferma() override;
    void Correggi() override;
    void Cancella() override;
    void CmdFine_Click();
};
