#pragma once
// The fee-item tab of the main window (tab "&Competenze"): the labels naming the case file,
// task and job that new fee items go to, the entry fields of one fee item, and the grid of
// the displayed case file's fee items. The case-file mask and the task and job tabs reach it
// through ServiziCompetenze; the task and job tabs' choices set its task and job labels.
#include <QWidget>

#include "casefiles/forms/ServiziCompetenze.h"

class FrmFascola;
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
};
