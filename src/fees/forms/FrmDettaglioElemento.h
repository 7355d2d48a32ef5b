#pragma once
#include <QDialog>

#include "fees/engine/DettaglioCompetenza.h"

class QCheckBox;
class QLabel;
class QPushButton;
namespace ui {
class RefillCombo;
}

// "Dettaglio Elemento in Competenza": the bookkeeping side of the fee item on the fee-item
// tab, the record the tab lends it: whether it is posted, invoiced or ticked off, and its
// debit, credit and revenue accounts (each shown as the account's description in a combo and
// its code in the label beside it). It reads the record when it opens and writes its flags and
// account codes back however it is closed, CONTINUA, the close box or Escape; the fee item
// itself changes only when it is next added or corrected on the tab.
class FrmDettaglioElemento : public QDialog {
    Q_OBJECT
public:
    // `dettaglio` must outlive the dialog.
    FrmDettaglioElemento(DettaglioCompetenzaRec& dettaglio, QWidget* parent = nullptr);

    void done(int risultato) override;

    QLabel* DC_LblCodiceElemento;
    QLabel* DC_LblDescrizioneElemento;
    QCheckBox* DC_ChkPrimanota;
    QLabel* DC_LblIdpn;
    ui::RefillCombo* DC_DbcDarepn;
    QLabel* DC_LblDarepn;
    ui::RefillCombo* DC_DbcAverepn;
    QLabel* DC_LblAverepn;
    QCheckBox* DC_ChkFatturato;
    QLabel* DC_LbLIdfattura;
    ui::RefillCombo* DC_DbcRicavi;
    QLabel* DC_LblRicavi;
    QCheckBox* DC_ChkSpuntato;
    QPushButton* DC_CmdNascondi;

private:
    void costruisci();
    void Form_Load();
    // Leaving an account combo: linked, the label takes the code of the account the user
    // named, once the text was changed; not linked there is no chart to read it from, and
    // the label keeps its code.
    void ContoLasciato(ui::RefillCombo& combo, QLabel& codice);
    void AggiornaDettaglio();

    DettaglioCompetenzaRec& dettaglio_;
};
