#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;

// "INFORMAZIONI SU": the program's name, version and description, and a way to the
// operating system's system-information tool.
class FrmInformazioni : public QDialog {
    Q_OBJECT
public:
    // The environment variable that names the system-information program to start.
    static constexpr const char* VariabileInfoSistema = "FASCOLE_SYSINFO";

    explicit FrmInformazioni(QWidget* parent = nullptr);

    // "Versione " and the build's major, minor and revision numbers.
    static QString TestoVersione();

    QLabel* picIcon;
    QLabel* LblProdotto;
    QLabel* LblVersione;
    QLabel* LblDescrizione;
    QTabWidget* SSTab1;
    QPushButton* CmdOK;
    QPushButton* CmdSysInfo;

private:
    void StartSysInfo();
};
