#pragma once
// The case-file mask of the main window's first tab: one row of `fascola` described by
// search criteria, typed in, shown and corrected: a record form (SchedaRecord: the modes, the
// search result and its browser, the command buttons) over the case file's fields.
//
// The rules, numbering and SQL behind it are the case-file engine's (casefiles/engine:
// NumerazioneFascole, Fascole, RicercaFascole, ClientiFascola), run on the session
// ArchivioInUso(); the mask turns clicks into calls of it. The case file it puts on display
// goes into FascolaCorrente(), which the other tabs follow.
//
// Where its parts live:
// - MascheraFascola.cpp: the controls, the fields in each mode, the validation and the field
//   handlers;
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
#include "casefiles/forms/SchedaRecord.h"

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

class MascheraFascola : public QWidget, public SchedaRecord {
    Q_OBJECT
public:
    // Builds the mask inside the window's first tab and answers the window's load.
    explicit MascheraFascola(FrmFascola& finestra);
    ~MascheraFascola() override;

    void AbilitaCampi() override;
    void PulisciCampi();
    void Visualizza() override;
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
    QPushButton *CmdAggiungiFascola, *CmdRicercaFascola, *CmdCorreggiFascola, *CmdCancellaFascola,
        *CmdConfermaFascola, *CmdAnnullaFascola;
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

    // A case file of the search result is on display.
    const bool& FascolaInVisione = RecordInVisione;
    // The search result, kept until the next search replaces it: its case files as read, so
    // that a correction or deletion of one shown long ago never lands on another row. Shared
    // with the client tree, which shows it as it was found.
    std::shared_ptr<ElencoFascole> Selezionate = std::make_shared<ElencoFascole>();

private:
    void costruisci();
    void collegaEventi();

    void TxtData_LostFocus();
    void DbcNomeCliente_LostFocus();

    // The record commands (ComandiFascola.cpp, RicercaFascole.cpp).
    void Conferma() override;
    void Correggi() override;
    void Cancella() override;
    void Ricerca() override;
    void CmdStampafascola_Click();

    // The mask's part of the record form.
    void MascheraDiRicerca() override;
    // Empty notes and reference hold one blank once every check has passed.
    bool Controlli() override;
    void CampiNuovi() override;
    void TogliRiga(long posizione) override;
    QWidget& CampoChiave() override;
    // The search criteria hidden and the client tree built from the result.
    void Trovati() override;
    // After ANNULLA the code label holds blanks.
    void AzioneAnnullata() override;
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
