#pragma once
#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "NOTE ALLA FATTURA": the four notes printed on the documents (NoteFattura). CONTINUA takes
// all four for the documents issued from now on, and keeps each note whose box "Costante" is
// ticked in the parameters row, from which every start reads the notes again. "ESCI SENZA
// SALVARE" and the close box change nothing.
class FrmNoteFattura : public QDialog {
    Q_OBJECT
public:
    explicit FrmNoteFattura(QWidget* parent = nullptr);

    std::array<QLineEdit*, 4> TxtNota;     // TxtNota1 to TxtNota4
    std::array<QCheckBox*, 4> ChkNota;     // ChkNota1 to ChkNota4, "Costante"
    QPushButton* CmdContinua;
    QPushButton* CmdEsci;

private:
    void Form_Load();
    void CmdContinua_Click();
};
