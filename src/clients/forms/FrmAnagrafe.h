#pragma once
// The program's own client registry ("ANAGRAFICA CLIENTI"), kept while no accounting
// archive is linked: clients searched by code and name, browsed, corrected, deleted while
// no case file uses them, and inserted one after the other. Four modes (ModoOperativo):
// 0 initial and search mask, 1 insert, 2 view, 3 correction; the procedure that enters a
// mode sets every button.
#include <QDialog>
#include <optional>
#include <vector>

#include "casefiles/forms/NavigatoreRecord.h"
#include "clients/engine/Anagrafe.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace ui {
class RefillCombo;
}

class FrmAnagrafe : public QDialog {
    Q_OBJECT
public:
    enum Modo { ModoIniziale = 0, ModoInserimento = 1, ModoVisione = 2, ModoCorrezione = 3 };
    // The record browser's buttons, as the navigator reports them.
    using enum NavigatoreRecord::Azione;

    // Loads the form in its initial mode, on the archive of the session.
    explicit FrmAnagrafe(QWidget* parent = nullptr);
    ~FrmAnagrafe() override;

    void StatoIniziale();
    void AbilitaCampi();
    // Shows the message of the first check that fails, moves the focus there and returns
    // false; true when the mask may be saved.
    bool Verificatore();
    void Visualizza();
    void VisEnvi();
    void Visu2corre();
    void AnnullaAzione();
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
    QPushButton* cmdAggiungi;
    QPushButton* cmdRicerca;
    QPushButton* cmdCorreggi;
    QPushButton* cmdCancella;
    QPushButton* cmdConferma;
    QPushButton* cmdAnnulla;
    QPushButton* cmdFine;
    QLabel* lblAzioneInCorso;

    int ModoOperativo = ModoIniziale;
    // A client of the search result is on display: a click on a field then starts a
    // correction.
    bool AnagraficaInVisione = false;
    // The last search result, each row as read, kept while the user browses it; nothing
    // before the first search and after ESCI.
    std::optional<std::vector<RigaAnagrafe>> RsSelezionati;
    long PosSelezionata = 0;
    long NumSelezionati = 0;

protected:
    // The unload, however the form is closed: the mask back to its initial mode and the
    // search result let go.
    void done(int risultato) override;

private:
    void costruisci();
    void collegaEventi();

    void cmdAggiungi_Click();
    void cmdRicerca_Click();
    void CmdConferma_Click();
    void cmdCorreggi_Click();
    void cmdCancella_Click();
    void CmdFine_Click();
    void CampoCliccato();

    // The six buttons in the order AGGIUNGI, RICERCA, CORREGGI, CANCELLA, CONFERMA, ANNULLA.
    void abilitaPulsanti(bool aggiungi, bool ricerca, bool correggi, bool cancella, bool conferma, bool annulla);
    void mostraAzione(const QString& azione);
    DatiAnagrafica campi() const;
    const RigaAnagrafe& rigaInVisione() const;
};
