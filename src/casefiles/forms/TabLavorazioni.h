#pragma once
#include <QObject>
#include <QString>
#include <optional>

#include "casefiles/engine/Lavorazioni.h"
#include "casefiles/forms/SchedaVoci.h"

class Evidenziatore;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
namespace ui {
class Grid;
}

// The tab "&Lavori e Documenti" of the main window: the jobs and documents of the task chosen
// on the tasks tab, added, corrected and deleted in the case-file archive. Its heading shows
// the case file on display and the chosen task, both held by FascolaCorrente(); it refills
// itself whenever another task is chosen. Choosing a job makes it the target of new fee
// items. Built inside the page it is given.
class TabLavorazioni : public QObject {
    Q_OBJECT
public:
    TabLavorazioni(QWidget& pagina, Evidenziatore& righe);

    // Empties the job grid back to 9 rows.
    void L_VuotaGriglia();
    // Fills the job grid with the chosen task's jobs, in number order.
    void L_MostraGriglia();
    // Clears the fields, the chosen job and its mark; the grid and the heading stay.
    void L_PulisciCampi();

    QLabel* L_LblNomeCliente;
    QLabel* L_LblCodiceCliente;
    QLabel* L_LblNpra;
    QLabel* L_LblTitolo;
    QLabel* L_LblNtask;
    QGroupBox* L_FrmLavorazioni;
    QLabel* L_LblNJob;  // the chosen job's number, "" when none
    QRadioButton* L_OptTipoDocumento;
    QRadioButton* L_OptTipoLavorazione;
    QLineEdit* L_TxtDescrizione;
    QLineEdit* L_TxtData;
    QRadioButton* L_OptPuntaNomeFile;
    QRadioButton* L_OptPuntaIndicedoc;
    QLineEdit* L_TxtPuntatore;
    QPushButton* L_CmdAggiungi;
    QPushButton* L_CmdCorreggi;
    QPushButton* L_CmdCancella;
    ui::Grid* L_FlxLavorazioni;

private:
    void creaControlli(QWidget& pagina);
    void FascolaCambiata();
    void IncaricoCambiato();
    bool L_Verificatore();
    // The fields as a job.
    Lavorazione campi() const;
    void L_CmdAggiungi_Click();
    void L_CmdCorreggi_Click();
    void L_CmdCancella_Click();
    void L_FlxLavorazioni_Click(int riga);

    Evidenziatore& righe_;
    std::optional<GrigliaVoci<Lavorazione>> griglia_;
    // The job loaded from the grid, as read.
    std::optional<Lavorazione> scelta_;
};
