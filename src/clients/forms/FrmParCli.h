#pragma once
// "Parametri economici Cliente": the billing parameters of each client, one record of `parcli`
// with the client's price list in `elecli`. A modal record form (SchedaRecord: the modes, the
// search result and its browser, the command buttons); a change of a field of a client on
// display starts a correction.
//
// Where its parts live:
// - FrmParCli.cpp: the controls, the fields in each mode, the check before storing, the
//   display and the two grids;
// - FrmParCliComandi.cpp: the record commands, the record browser and the client and payment
//   look-ups;
// - FrmParCliListe.cpp: the element look-ups and the add and remove buttons of the fixed
//   items and of the price list.
// The rules, the look-ups and the writes are in clients/engine/ParametriCliente*.h.
#include <QDialog>
#include <optional>
#include <vector>

#include "casefiles/forms/NavigatoreRecord.h"
#include "casefiles/forms/SchedaRecord.h"
#include "clients/engine/ParametriCliente.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace ui {
class Grid;
class RefillCombo;
}

class FrmParCli : public QDialog, public SchedaRecord {
    Q_OBJECT
public:
    explicit FrmParCli(QWidget* parent = nullptr);
    ~FrmParCli() override;

    static inline const QString FormatoFissi =
        QStringLiteral("^ Codice |^ Applicaz. |^          Descrizione          ");
    static inline const QString FormatoListino =
        QStringLiteral("^Codice|^  Listino  |^ Pag. |^      Descrizione       ");

    // Every field usable; the client only while no client is on display.
    void AbilitaCampi() override;
    // Shows the client at PosSelezionata of the search result.
    void Visualizza() override;
    void VuotaCampi();
    void VuotaGrigliaFissi();
    void VuotaGrigliaListino();
    void MostraGrigliaFissi();
    void MostraGrigliaListino();
    // A press on one of the browser's buttons; any other Action does nothing.
    void DtaSelezionati_Validate(int Action, int Save = 0);

    // The controls, named as the controls.
    QLabel* LblTitolo;
    ui::RefillCombo* DbcNomeCliente;
    QLabel* LblCodiceCliente;
    QRadioButton* OptFineMese;
    QRadioButton* OptPerAnticipazioni;
    QRadioButton* OptPerOgniVoce;
    QRadioButton* OptFineLavoro;
    QRadioButton* OptFineFascola;
    QLineEdit* TxtNote;
    QLabel* lblAzioneInCorso;
    NavigatoreRecord* DtaSelezionati;

    ui::RefillCombo* DbcElementoFisso;
    QLabel* LblEleFisso;
    QRadioButton* OptPerFascola;
    QRadioButton* OptPerLavorazione;
    QRadioButton* OptPerFattura;
    QPushButton* CmdAggiungiFisso;
    QPushButton* CmdTogliFisso;
    ui::Grid* FlxFissi;

    ui::RefillCombo* DbcElementoListino;
    QLabel* LblEleListino;
    QLabel* LblListino;
    QLineEdit* TxtListino;
    ui::RefillCombo* DbcPagamento;
    QPushButton* CmdAggiungiListino;
    QPushButton* CmdTogliListino;
    ui::Grid* FlxListino;

    QPushButton *cmdAggiungi, *cmdRicerca, *cmdCorreggi, *cmdCancella, *cmdConferma, *cmdAnnulla;
    QPushButton* cmdFine;
    QPushButton* CmdStampa;

    // A client of the search result is on display.
    const bool& ParametriInVisione = RecordInVisione;
    // The search result: the codes of the clients found, kept until the next search or ESCI.
    std::vector<QString> Selezionati;
    // The parameters of the client on display as they were read: a correction or deletion
    // goes to that client, and only while its stored parameters are still these.
    std::optional<ParametriCliente> ParametriLetti;
    // The two lists being edited.
    std::vector<ElementoFisso> ElementiFissi;
    std::vector<RigaListino> ElementiListino;
    int NumeroElementiFissi() const { return int(ElementiFissi.size()); }
    int NumeroElementiListino() const { return int(ElementiListino.size()); }

protected:
    // However the form is closed (ESCI, the close box, Esc) it unloads through Form_Unload.
    void done(int risultato) override;

private:
    // FrmParCliComandi.cpp
    void Ricerca() override;
    void Correggi() override;
    void Cancella() override;
    void Conferma() override;
    void Annulla() override;
    void CmdFine_Click();
    void CmdStampa_Click();
    void DbcNomeCliente_LostFocus();
    void ChiudiSelezionati();
    void TogliRiga(long posizione) override;
    // The client at PosSelezionata read and shown in view mode; the program's own filling of
    // the fields starts no correction.
    void MostraInVisione();
    // The client's parameters changed by another workstation: said, and shown as they are now.
    void MostraModificatiAltrove();

    // FrmParCliListe.cpp
    void DbcElementoFisso_LostFocus();
    void DbcElementoListino_LostFocus();
    void TxtListino_LostFocus();
    void CmdAggiungiFisso_Click();
    void CmdTogliFisso_Click();
    void CmdAggiungilistino_Click();
    void CmdTogliListino_Click();
    void SvuotaVociFisse();
    void SvuotaVociListino();

    // FrmParCli.cpp: the controls, the load and unload, the form's part of the record form.
    void costruisci();
    void collegaEventi();
    void Form_Load();
    void Form_Unload();
    void MascheraDiRicerca() override;
    bool Controlli() override;
    void CampiNuovi() override;
    QWidget& CampoChiave() override;
    // After ANNULLA the two grids are emptied too.
    void AzioneAnnullata() override;
    QString criterioScelto() const;
    QString applicazioneScelta() const;
    void spegniCriteri();
    void spegniApplicazioni();
    // The parameters as the fields and the lists hold them, for `codice`.
    ParametriCliente parametriAVideo(const QString& codice) const;
    void svuotaListe();

    QButtonGroup* criteri_;
    QButtonGroup* applicazioni_;
};
