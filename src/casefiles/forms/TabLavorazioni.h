#pragma once
#include <QObject>
#include <QString>

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

// The tab "&Lavori e Documenti" of the main window: the jobs and documents of the current
// task, added, corrected and deleted in the case-file archive. The current task is the one
// last chosen on the tasks tab, which writes the heading labels L_LblTitolo and L_LblNtask;
// the case-file display writes the client and case-number labels. Built inside the page
// it is given.
class TabLavorazioni : public QObject {
    Q_OBJECT
public:
    TabLavorazioni(QWidget& pagina, Evidenziatore& righe);

    // Empties the job grid back to 9 rows.
    void L_VuotaGriglia();
    // Fills the job grid with the current task's jobs, in number order.
    void L_MostraGriglia();
    // Clears the fields and the job mark; the grid and the heading stay.
    void L_PulisciCampi();

    QLabel* L_LblNomeCliente;
    QLabel* L_LblCodiceCliente;
    QLabel* L_LblNpra;
    QLabel* L_LblTitolo;
    QLabel* L_LblNtask;
    QGroupBox* L_FrmLavorazioni;
    QLabel* L_LblNJob;
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

signals:
    // The job that new fee items go to, "0000" for none: the fee tab's job label.
    void CompetenzeSuLavorazione(const QString& njob);

private:
    void creaControlli(QWidget& pagina);
    bool L_Verificatore();
    void L_CmdAggiungi_Click();
    void L_CmdCorreggi_Click();
    void L_CmdCancella_Click();
    void L_FlxLavorazioni_Click(int riga);
    void L_TxtData_GotFocus();

    Evidenziatore& righe_;
};
