#pragma once
// The case-file mask of the main window's first tab: one row of `fascola` described by
// search criteria, typed in, shown and corrected. Four modes (ModoOperativo): 0 initial and
// search mask, 1 insert, 2 view, 3 correction; the procedure that enters a mode sets every
// button and field.
//
// The rules, numbering and SQL behind it are the case-file engine's (casefiles/engine:
// NumerazioneFascole, Fascole, RicercaFascole, ClientiFascola), run on the session
// ArchivioInUso(); the mask turns clicks into calls of it. The case file it puts on display
// goes into FascolaCorrente(), which the other tabs follow.
//
// Where its parts live:
// - MascheraFascola.cpp: the controls, the modes, the validation, the record browser and the
//   field handlers;
// - VisualizzaFascola.cpp: Visualizza, a case file of the search result into the mask and
//   into FascolaCorrente();
// - ComandiFascola.cpp: the client choice and the commands AGGIUNGI, CONFERMA, CORREGGI,
//   CANCELLA, ANNULLA and STAMPA PROSPETTO FASCOLA;
// - RicercaFascole.cpp: RICERCA;
// - AlberoClienti.cpp: the client tree of the window's left column.
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "casefiles/engine/Fascole.h"
#include "casefiles/engine/NumerazioneFascole.h"
#include "casefiles/forms/NavigatoreRecord.h"

class FrmFascola;
class ModelloAlberoClienti;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace ui {
class RefillCombo;
}

class MascheraFascola : public QWidget {
    Q_OBJECT
public:
    // Builds the mask inside the window's first tab and answers the window's load.
    explicit MascheraFascola(FrmFascola& finestra);
    ~MascheraFascola() override;

    // The modes of ModoOperativo.
    enum Modo { ModoIniziale = 0, ModoInserimento = 1, ModoVisione = 2, ModoCorrezione = 3 };

    // The record browser's buttons, as the navigator reports them.
    using enum NavigatoreRecord::Azione;

    void StatoIniziale();
    void AbilitaCampi();
    void PulisciCampi();
    // Shows the message of the first check that fails, moves the focus there and returns
    // false; true when everything passed (empty notes and reference then hold one blank).
    bool Verificatore();
    void Visualizza();
    void VisEnvi();
    void Visu2corre();
    void AnnullaAzione();
    // A press on one of the navigator's buttons; any other Action does nothing.
    void DtaSelezionatiFascola_Validate(int Action, int Save = 0);
    // Rebuilds the window's client tree from the search result.
    void DefinizioneAlberoClienti();

    // The controls of the mask, named as the controls.
    ui::RefillCombo* DbcNomeCliente;
    QLabel* LblCodiceCliente;
    QLabel* LblNpra;
    QLabel* LblNumeroAssoluto;
    QLineEdit* TxtData;
    QRadioButton* OptFineMese;
    QRadioButton* OptAnticipazioni;
    QRadioButton* OptOgniVoce;
    QRadioButton* OptFineLavoro;
    QRadioButton* OptFineFascola;
    QCheckBox* ChkStato;
    QLineEdit* TxtRifCli;
    QLineEdit* TxtNote;
    QLabel* LblAzioneInCorsoFascola;
    QPushButton* CmdAggiungiFascola;
    QPushButton* CmdRicercaFascola;
    QPushButton* CmdCorreggiFascola;
    QPushButton* CmdCancellaFascola;
    QPushButton* CmdConfermaFascola;
    QPushButton* CmdAnnullaFascola;
    QPushButton* CmdStampaFascola;
    NavigatoreRecord* DtaSelezionatiFascola;
    QGroupBox* FrmCriteriRicerca;
    QRadioButton* OptTutte;
    QRadioButton* OptAperte;
    QRadioButton* OptChiuse;
    QLineEdit* TxtRicercaDocumento;
    QLineEdit* TxtRicercaIncarico;
    ui::RefillCombo* DbcRicercaCompetenza;
    QLineEdit* TxtRicercaImporto;

    // The mask's state.
    int ModoOperativo = ModoIniziale;
    // A case file of the search result is on display: a click on a field then switches to
    // correction. Cleared while the program itself refills the fields.
    bool FascolaInVisione = false;
    // The search result, kept until the next search replaces it: its case files as read, so
    // that a correction or deletion of one shown long ago never lands on another row. Shared
    // with the client tree, which shows it as it was found.
    std::shared_ptr<ElencoFascole> Selezionate = std::make_shared<ElencoFascole>();
    long PosSelezionata = 0;
    long NumSelezionati = 0;

private:
    void costruisci();
    void collegaEventi();

    void TxtData_LostFocus();
    void DbcNomeCliente_LostFocus();
    // The field-click family: a click on a field of a case file on display starts a
    // correction.
    void CampoCliccato();

    void cmdAggiungiFascola_Click();
    void cmdConfermaFascola_Click();
    void cmdCorreggiFascola_Click();
    void cmdCancellaFascola_Click();
    void cmdAnnullaFascola_Click();
    void CmdStampafascola_Click();
    void cmdRicercaFascola_Click();

    // The seven buttons in the order AGGIUNGI, RICERCA, CORREGGI, CANCELLA, CONFERMA,
    // ANNULLA, STAMPA PROSPETTO FASCOLA.
    void abilitaPulsanti(bool aggiungi, bool ricerca, bool correggi, bool cancella, bool conferma, bool annulla,
                         bool stampa);
    void mostraAzione(const QString& azione);
    // The letter of the chosen criterion option, "" when none is chosen.
    QString criterioScelto() const;
    // Turns the option of `lettera` on; with another letter every option stays off.
    void mostraCriterio(const QString& lettera);
    void spegniCriteri();
    // The case file of the result at PosSelezionata.
    Fascola& selezionata();
    // The client code the mask works with: a code found by name, "NON DEFINITO" when the name
    // matched no client, blanks or nothing; LblCodiceCliente shows it.
    void mostraCodice(const QString& codice);

    FrmFascola& finestra_;
    QButtonGroup* criteri_;
    ModelloAlberoClienti* albero_;
    QString codiceMostrato_;
};
