#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "DATI CLIENTE SU FATTURA": the client data the document being composed prints (address,
// VAT number, tax code) and the client's VAT position, from DatiClienteFattura and back into
// it on CONTINUA. Nothing is stored in an archive; the close box writes nothing.
class FrmDatiClienteFattura : public QDialog {
    Q_OBJECT
public:
    explicit FrmDatiClienteFattura(QWidget* parent = nullptr);

    QLabel* LblRagioneSociale;
    QLineEdit* TxtVia;
    QLineEdit* TxtCap;
    QLineEdit* TxtLocalita;
    QLineEdit* TxtProvincia;
    QLineEdit* TxtPI;
    QLineEdit* TxtCF;
    QRadioButton* Optsoggetto;
    QRadioButton* OptEsente;
    QLineEdit* TxtPercheEsente;
    QPushButton* CmdContinua;

private:
    void Form_Load();
    void CmdContinua_Click();
};
