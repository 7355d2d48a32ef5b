#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
namespace ui {
class RefillCombo;
}

// "DETTAGLIO ELEMENTO IN FATTURA": the bookkeeping details of the invoice line in hand (task
// and job, the posting's debit and credit accounts, revenue account, payment and VAT code,
// the VAT code fixed by hand). It shows the staging record RigaFatturaInCorso and writes it
// back on CONTINUA; when the line in hand was loaded from the grid it also writes the
// selected line of the table. The close box writes nothing.
class FrmDettElemFattura : public QDialog {
    Q_OBJECT
public:
    // `cliente` and `npra`: the case file whose tasks and jobs the lists offer.
    FrmDettElemFattura(const QString& cliente, const QString& npra, QWidget* parent = nullptr);

    // CONTINUA wrote into a line of the table.
    bool RigaScritta() const { return rigaScritta_; }

    QLabel* LblElemento;
    ui::RefillCombo* DbcNtask;
    ui::RefillCombo* DbcNjob;
    ui::RefillCombo* DbcDarePn;
    QLabel* LblDarePn;
    ui::RefillCombo* DbcAverePn;
    QLabel* LblAverePn;
    ui::RefillCombo* DbcRicavi;
    QLabel* LblRicavi;
    ui::RefillCombo* DbcPagamento;
    QLabel* LblPagamento;
    QPushButton* CmdContinua;
    ui::RefillCombo* DbcIva;
    QLabel* LblDescrizione;
    QCheckBox* ChkIvaBloccata;

private:
    void costruisci();
    void Form_Load();
    void CmdContinua_Click();
    // Leaving an account combo: its code label follows the description, once it was changed.
    void ContoLasciato(ui::RefillCombo& combo, QLabel& codice);
    // The caption beside a payment code.
    QString DefinizionePagamento(const QString& codice);
    void DbcPagamento_LostFocus();
    void DbcIva_LostFocus();

    QString cliente_;
    QString npra_;
    bool rigaScritta_ = false;
};
