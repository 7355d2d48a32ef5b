#pragma once
// The fee-item tab of the main window (tab "&Competenze"): the labels naming the case file,
// task and job that new fee items go to, the entry fields of one fee item, and the grid of
// the displayed case file's fee items. Its labels show FascolaCorrente() and nothing else:
// the case file on display, and the task and job chosen on their tabs. Another case file on
// display, or none, puts the tab in its state for it.
#include <QWidget>

#include "casefiles/forms/ServiziCompetenze.h"

class FrmFascola;
class QLabel;
class QLineEdit;
namespace ui {
class Grid;
class RefillCombo;
}

class TabCompetenze : public QWidget, public ServiziCompetenze {
    Q_OBJECT
public:
    // Builds the tab inside the window's fee-item page and hands it to the window.
    explicit TabCompetenze(FrmFascola& finestra);

    // The grid's heading: every column centred and as wide as its heading, blanks included.
    static inline const QString FormatoGriglia =
        QStringLiteral("^Incarico|^Lavoro|^Codice|^Costo/Antic|^ Add.Unit. |^ % o Qta |^Fatturare |^F.to|^PN");

    void C_PulisciCampi() override;
    void C_AbilitaElemento(bool abilita) override;
    void C_AbilitaDescrizione(bool abilita) override;
    void C_AbilitaImporti(bool abilita) override;
    void C_VuotaGriglia() override;
    void C_MostraGriglia() override;

    // The case file on display: client name, client code, case number.
    QLabel* C_LblNomeCliente;
    QLabel* C_LblCodiceCliente;
    QLabel* C_LblNpra;
    // The task and job a new fee item goes to; "0000" for none.
    QLabel* C_LblNtask;
    QLabel* C_LblNjob;

    // The entry fields of one fee item.
    ui::RefillCombo* C_DbcElemento;
    ui::RefillCombo* C_DbcDescrizEle;
    QLineEdit* C_TxtDescrizione;
    QLabel* C_LblCheCao;  // what C_TxTImporto holds, by the element's calculation mode
    QLineEdit* C_TxTImporto;
    QLabel* C_LblFattore;  // percentage or quantity
    QLineEdit* C_TxtFattore;
    QLineEdit* C_TxtImpoFatt;
    ui::RefillCombo* C_DbcPagamento;
    QLineEdit* C_TxtData;
    ui::Grid* C_FlxCompetenze;

private:
    void costruisci();
    void FascolaCambiata();
    void DestinazioneCambiata();
};
