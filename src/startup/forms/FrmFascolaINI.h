#pragma once
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "DEFINIZIONE AMBIENTE LAVORO": the first-run dialog that names the case-file archive, the
// accounting package's companies list and the invoice folder, and writes Fascola.ini at
// AmbienteLavoro().PathFileIni. CONFERMA sets AmbienteLavoro().IniDefinito; RINUNCIA or the
// close box leave it as the caller set it and write nothing.
class FrmFascolaINI : public QDialog {
    Q_OBJECT
public:
    explicit FrmFascolaINI(QWidget* parent = nullptr);

    // Opens on a configuration already written, to be mended rather than typed anew: its
    // case-file archive, its companies list ("NO": the link off) and its invoice folder ("NO":
    // none).
    void ProponiConfigurazione(const QString& archivio, const QString& ditte, const QString& fatture);

    QLabel* Label1;
    QLineEdit* TxtFascola;
    QPushButton* CmdSfoglia1;
    QCheckBox* ChkZolpa;
    QGroupBox* FramZolpa;
    QLineEdit* TxtCasaZolpa;
    QPushButton* CmdCasaZolpa;
    QLineEdit* TxtFatture;
    QPushButton* CmdSfoglia3;
    QPushButton* CmdConferma;
    QPushButton* CmdRinuncia;

private:
    void ChkZolpa_Click();
    void CmdSfoglia1_Click();
    void CmdCasaZolpa_Click();
    void CmdSfoglia3_Click();
    void CmdConferma_Click();
    void CmdRinuncia_Click();
};
