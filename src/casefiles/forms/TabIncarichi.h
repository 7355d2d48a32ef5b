#pragma once
#include <QObject>
#include <QString>
#include <optional>

#include "casefiles/engine/Incarichi.h"
#include "casefiles/forms/SchedaVoci.h"

class Evidenziatore;
class TabLavorazioni;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
namespace ui {
class Grid;
}

// The tab "&Incarichi" of the main window: the tasks of the case file on display
// (FascolaCorrente()), added, corrected and deleted in the case-file archive. Its heading
// shows that case file and it refills itself whenever another one is put on display.
// Choosing a task in the grid makes it the task of the jobs tab and the target of new fee
// items. Built inside the page it is given.
class TabIncarichi : public QObject {
    Q_OBJECT
public:
    TabIncarichi(QWidget& pagina, TabLavorazioni& lavorazioni, Evidenziatore& righe);

    // Empties the task grid; its row count stays.
    void I_VuotaGriglia();
    // Fills the task grid with the tasks of the case file on display, in number order; with
    // none the grid stays as it is.
    void I_MostraGriglia();
    // Clears the fields, the chosen task and its mark and the task grid, and the jobs tab's
    // fields and grid.
    void I_PulisciCampi();

    QLabel* I_LblNomeCliente;
    QLabel* I_LblCodiceCliente;
    QLabel* I_LblNpra;
    QLabel* I_LblNtask;  // the chosen task's number, "." when none
    QLineEdit* I_TxtData;
    QLineEdit* I_TxtTitolo;
    QLineEdit* I_TxtNote;
    QCheckBox* I_ChkStato;
    QPushButton* I_CmdAggiungi;
    QPushButton* I_CmdCorreggi;
    QPushButton* I_CmdCancella;
    ui::Grid* I_FlxIncarichi;

private:
    void creaControlli(QWidget& pagina);
    void FascolaCambiata();
    bool I_Verificatore();
    // The fields as a task.
    Incarico campi() const;
    void I_CmdAggiungi_Click();
    void I_CmdCorreggi_Click();
    void I_CmdCancella_Click();
    void I_FlxIncarichi_Click(int riga);

    TabLavorazioni& lavorazioni_;
    Evidenziatore& righe_;
    std::optional<GrigliaVoci<Incarico>> griglia_;
    // The task loaded from the grid, as read.
    std::optional<Incarico> scelto_;
    // Until the tab is first cleared a command without a chosen task does nothing at all.
    bool pulito_ = false;
};
