#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// "COMANDO SQL": runs one statement typed by the user on the case-file archive, with no
// confirmation and no result shown. The one place where the user's text is the statement.
class FrmComandoSql : public QDialog {
    Q_OBJECT
public:
    explicit FrmComandoSql(QWidget* parent = nullptr);

    QLabel* LblAvviso;
    QPlainTextEdit* TxtComandoSql;
    QPushButton* CmdEsegui;
    QPushButton* CmdRinuncia;

private:
    void CmdEsegui_Click();
};
