#pragma once
#include <QDialog>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace ui {
class RefillCombo;
}

// "COLLEGAMENTO ARCHIVI": points the program at another case-file archive (existing or new),
// another invoice folder (existing or new) and another companies list with the company and
// year to link. Opens on the configuration in force. CONFERMA checks the entries, rewrites
// Fascola.ini, creates what was asked to be new, stores the company and year in the
// AmbienteFascola row and runs the start-up again; the dialog stays open. RINUNCIA closes
// it without saving.
class FrmCollegamentoArchivi : public QDialog {
    Q_OBJECT
public:
    explicit FrmCollegamentoArchivi(QWidget* parent = nullptr);

    // The configuration in force.
    QLabel* LblMacchina;
    QLabel* LblFascole;
    QLabel* LblImmagini;
    QLabel* LblContabilita;
    QLabel* LblDitta;
    QLabel* LblEsercizio;

    QRadioButton* OptFascoleEsi;
    QRadioButton* OptFascoleNuo;
    QLineEdit* TxtFascole;
    QPushButton* CmdCercaFascole;

    QRadioButton* OptImmaginiEsi;
    QRadioButton* OptImmaginiNuo;
    QLineEdit* TxtImmagini;
    QPushButton* CmdCercaImmagini;

    QLineEdit* TxtArchivioDitte;
    QPushButton* CmdCercaDitte;
    ui::RefillCombo* DbcDitta;
    QComboBox* CmbEsercizio;

    QPushButton* CmdConferma;
    QPushButton* CmdRinuncia;

private:
    void costruisci();
    void Form_Load();
    void collegaEventi();

    void CmdCercaFascole_Click();
    void CmdCercaImmagini_Click();
    void CmdCercaDitte_Click();
    void TxtArchivioDitte_LostFocus();
    void DbcDitta_GotFocus();
    void CmbEsercizio_GotFocus();
    void CmdConferma_Click();
    // The first failed check of CONFERMA, after its message; false when all pass.
    bool controlloFallito();
    void svuotaDittaEsercizio();

    // The companies list the box held when the user entered it.
    QString ArchivioDittePrecedente;
};
