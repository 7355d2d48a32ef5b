#pragma once
// The catalogue of billable items, "Elementi da Fatturare": a record form (SchedaRecord: the
// modes, the search result and its browser, the command buttons) over the fields of one
// element. Shown modally from the main window's menu; its load runs the start-up routine
// again. The rules, the reads and the writes are the engine's (fees/engine/
// ElementiDaFatturare.h, VerificaElemento.h, CatalogoContabile.h); the form turns clicks into
// calls and keeps each description combo in step with the code beside it.
//
// Where its parts live:
// - FrmElefat.cpp: the controls, the modes' fields, the check before storing, the display;
// - FrmElefatConsultazioni.cpp: the look-ups in the accounting archive behind the VAT,
//   account and payment combos, and the fields' own handlers;
// - FrmElefatComandi.cpp: the record commands and the printed list.
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "casefiles/forms/NavigatoreRecord.h"
#include "casefiles/forms/SchedaRecord.h"
#include "fees/engine/ElementiDaFatturare.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CampiElemento;
namespace ui {
class RefillCombo;
}

class FrmElefat : public QDialog, public SchedaRecord {
    Q_OBJECT
public:
    // Builds the form and loads it: centred, the start-up routine run again (which may end
    // the program), no element on display, the search mask.
    explicit FrmElefat(QWidget* parent = nullptr);
    ~FrmElefat() override;

    // Which of a pair of VAT fields, or which account, a look-up works on.
    enum Selettore { Ordinaria = 1, Comunitaria = 2 };
    enum Conto { ContoRicavi = 1, ContoDare = 2, ContoAvere = 3 };

    // The printed list of the catalogue, run by STAMPA: the preview of the whole catalogue
    // unless a test puts something else here.
    std::function<void()> Stampa;

    void AbilitaCampi() override;
    void PulisciCampi();
    void Visualizza() override;
    // Whether some fee item uses the element `codice`.
    bool Bollato(const QString& codice);
    // A press on one of the browser's buttons; any other Action does nothing.
    void DtaSelezionati_Validate(int Action, int Save = 0);

    // The description combos and the code labels beside them, kept in step with the
    // accounting archive.
    void CoerenzaCodificaIva(int selettore);
    void DefinizioneCampoIva(int selettore);
    void AssegnazioneConto(int selettore);
    void ComePaga();
    void DescrizionePagamento();

    void CmdStampa_Click();

    // The controls, named as the controls.
    QLabel* LblTitolo;
    ui::RefillCombo* DbcCodice;
    ui::RefillCombo* DbcDescrizione;
    QCheckBox* ChkAccoda;
    QGroupBox* FrameCalcolo;
    QRadioButton* OptPercentuale;
    QRadioButton* OptRichiesta;
    QRadioButton* OptListino;
    QRadioButton* OptImportoUnitario;
    QLineEdit* TxtImporto;
    QLineEdit* TxtArrotonda;
    QGroupBox* FrameIva;
    ui::RefillCombo* DbcIva;
    QLabel* LblIva;
    ui::RefillCombo* DbcIvacee;
    QLabel* LblIvacee;
    QGroupBox* FrameTipo;
    QRadioButton* OptCosto;
    QRadioButton* OptAnticipazione;
    QRadioButton* OptCompetenza;
    QGroupBox* FrameConti;
    ui::RefillCombo* DbcContofat;
    QLabel* LblContofat;
    ui::RefillCombo* DbcDare;
    QLabel* LblDare;
    ui::RefillCombo* DbcAvere;
    QLabel* LblAvere;
    QGroupBox* FramePagamenti;
    QRadioButton* OptPagaCli;
    QRadioButton* OptPagaCod;
    ui::RefillCombo* DbcPagamento;
    QLabel* LblCodicePagamento;
    QLabel* LblAzioneInCorso;
    QPushButton *CmdAggiungi, *CmdRicerca, *CmdCorreggi, *CmdCancella, *CmdConferma, *CmdAnnulla;
    QPushButton* CmdStampa;
    QPushButton* CmdFine;
    NavigatoreRecord* DtaSelezionati;

    // An element of the search result is on display.
    const bool& ElementoInVisione = RecordInVisione;
    // The search result, in code order; the row on display is PosSelezionata (from 1).
    std::vector<ElementoLetto> RsSelezionati;

protected:
    // Every way of closing (FINE, the close box, Esc) passes here once.
    void done(int risultato) override;

private:
    void costruisci();
    void collegaEventi();
    void Form_Load();
    void Form_Unload();

    // The commands, in FrmElefatComandi.cpp; FINE lets the search result go and closes.
    void Ricerca() override;
    void Conferma() override;
    void Correggi() override;
    void Cancella() override;
    void TogliRiga(long posizione) override;
    void CmdFine_Click();

    // The search keys are code and description; a new element starts from the defaults of
    // PulisciCampi; an element in use is warned of before its correction.
    void MascheraDiRicerca() override;
    bool Controlli() override;
    void CampiNuovi() override;
    QWidget& CampoChiave() override;
    bool RecordInUso() override;

    // The fields' own handlers, in FrmElefatConsultazioni.cpp.
    void DbcCodice_LostFocus();
    // Linked, the code beside an account box, read from what the box holds once the user has
    // changed it: an account's description, or a code of the chart typed as every account box
    // takes one; none for any other text.
    void ContoLasciato(ui::RefillCombo& combo, QLabel& codice);
    void dbcdescrizione_LostFocus();
    void TxtImporto_LostFocus();

    void abilitaCampi(bool abilita);
    CampiElemento campi() const;
    // The element on display: the row of the search result at PosSelezionata.
    ElementoLetto* inVisione();
    // The code the in-use checks look at: the displayed row's own, whatever the code box
    // shows meanwhile.
    QString codiceInVisione() const;

    QButtonGroup* calcoli_;
    QButtonGroup* tipi_;
    QButtonGroup* pagamenti_;
    bool scaricato_ = false;
};
