#pragma once
#include <QDialog>

#include "foundation/engine/NumeriDeiParametri.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace ui {
class RefillCombo;
}

// "PARAMETRI FATTURAZIONE": shows ParametriFattura and, while the accounting link is on,
// the company, year and sales VAT register; CONTINUA stores everything in the
// AmbienteFascola row, resolves the accounting archive and retitles the main window. It first
// refuses, naming the box and leaving the focus in it, a number of a stamp duty or withholding
// ticked that is no number in figures (PrimoNumeroNonInCifre): then nothing changes. The
// records take the values only once the row is stored. CONTINUA is the one way to keep what
// was typed: Escape does nothing here.
class FrmParametriFattura : public QDialog {
    Q_OBJECT
public:
    explicit FrmParametriFattura(QWidget* parent = nullptr);

    QCheckBox* ChkDettaglioFascola;
    QCheckBox* ChkAnteprimaStampa;
    QCheckBox* ChkMemorizzaFattura;
    QPushButton* CmdContinua;

    QGroupBox* FrameZolpa;
    QRadioButton* OptRegistraSi;
    QRadioButton* OptRegistraNo;
    ui::RefillCombo* DbcZolpa;
    QComboBox* CmbEsercizio;
    ui::RefillCombo* DbcRegIva;

    QGroupBox* FrameDataNumero;
    QLineEdit* TxtDataFattura;
    QLineEdit* TxtNumeroFattura;
    QRadioButton* OptNumeroAutomatico;
    QRadioButton* OptNumeroManuale;

    QGroupBox* OptBolloNoIvaNoAnticipazioni;
    QCheckBox* ChkBollo;
    QLineEdit* TxtImportoBollo;
    QLineEdit* TxtSogliaBollo;
    QRadioButton* OptBolloSempre;
    QRadioButton* OptBolloSempreNoAnticipazioni;
    QRadioButton* OptBolloNoIvaTutti;
    QRadioButton* OptBolloNoIvaNoAnticip;

    QGroupBox* FrameRitenutaAcconto;
    QCheckBox* ChkRitenutaAcconto;
    QLineEdit* TxtRitAccPerc;
    QLineEdit* TxtRAPercImponibile;
    QRadioButton* OptRATutti;
    QRadioButton* OptRACostiCompetenze;
    QRadioButton* OptRACompetenze;

    QGroupBox* FrameAltreRitenute;
    QCheckBox* chkAltreRitenute;
    QLineEdit* TxtAltreRitPerc;
    QLineEdit* TxtAltreRitPercImponibile;
    QLineEdit* TxtAltreRitTesto;
    QRadioButton* OptAltreRitTutti;
    QRadioButton* OptAltreRitCostiComp;
    QRadioButton* OptAltreRitComp;

    QGroupBox* FrameIntestazione;
    QLineEdit* TxtRigaTestata1;
    QLineEdit* TxtRigaTestata2;
    QLineEdit* TxtRigaTestata3;
    QLineEdit* TxtRigaTestata4;
    QLineEdit* TxtRigaTestata5;
    QLineEdit* TxtRigaTestata6;

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void costruisci();
    void Form_Load();
    void DbcZolpa_GotFocus();
    void CmbEsercizio_GotFocus();
    void DbcRegIva_GotFocus();
    void CmdContinua_Click();
    // The dialog's controls into `p`, as CONTINUA keeps them.
    void CopiaNelRecord(ParametriFatturaRec& p) const;
    QLineEdit* CasellaDel(NumeroDeiParametri numero) const;

    QButtonGroup* GruppoCriterioBollo;
    QButtonGroup* GruppoCriterioRA;
    QButtonGroup* GruppoAltreRitCriterio;
};
