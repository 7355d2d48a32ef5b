#pragma once
#include <QObject>
#include <QString>

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

// The tab "&Incarichi" of the main window: the tasks of the case file on display, added,
// corrected and deleted in the case-file archive. The case-file display writes the heading
// labels I_LblNomeCliente, I_LblCodiceCliente and I_LblNpra. Choosing a task in the grid
// makes it the current task of the jobs tab and the target of new fee items. Built inside
// the page it is given.
class TabIncarichi : public QObject {
    Q_OBJECT
public:
    TabIncarichi(QWidget& pagina, TabLavorazioni& lavorazioni, Evidenziatore& righe);

    // Empties the task grid; its row count stays.
    void I_VuotaGriglia();
    // Fills the task grid with the tasks of the case file in the heading, in number order.
    void I_MostraGriglia();
    // Clears the fields, the task mark and the task grid, and the jobs tab's fields and grid.
    void I_PulisciCampi();

    QLabel* I_LblNomeCliente;
    QLabel* I_LblCodiceCliente;
    QLabel* I_LblNpra;
    QLabel* I_LblNtask;
    QLineEdit* I_TxtData;
    QLineEdit* I_TxtTitolo;
    QLineEdit* I_TxtNote;
    QCheckBox* I_ChkStato;
    QPushButton* I_CmdAggiungi;
    QPushButton* I_CmdCorreggi;
    QPushButton* I_CmdCancella;
    ui::Grid* I_FlxIncarichi;

signals:
    // The task and job that new fee items go to, "0000" for none: the fee tab's task and
    // job labels.
    void CompetenzeSuIncarico(const QString& ntask, const QString& njob);

private:
    void creaControlli(QWidget& pagina);
    bool I_Verificatore();
    void I_CmdAggiungi_Click();
    void I_CmdCorreggi_Click();
    void I_CmdCancella_Click();
    void I_FlxIncarichi_Click(int riga);
    void I_TxtData_GotFocus();

    TabLavorazioni& lavorazioni_;
    Evidenziatore& righe_;
};
