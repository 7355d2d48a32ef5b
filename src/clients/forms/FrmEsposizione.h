#pragma once
// "ESPOSIZIONE CLIENTE": what the client of the case file on display owes: the journal
// balances of the previous and the current financial year, and the fee items of that case
// file and of the client's other case files, by kind, invoiced or not. Computed once when
// the window loads; the window then only shows the figures until CONTINUA.
#include <QDialog>

#include "clients/engine/Esposizione.h"

class QLabel;
class QProgressBar;
class QPushButton;

class FrmEsposizione : public QDialog {
    Q_OBJECT
public:
    // The case file on display: its client's code and name and its number.
    FrmEsposizione(const QString& CodiceCliente, const QString& NomeCliente, const QString& Npra,
                   QWidget* parent = nullptr);

    QLabel* LblNomeCliente;
    QProgressBar* PrgBarra;
    // "Situazione Contabile": previous (EP) and current (EA) year, debit, credit, balance.
    QLabel *LblSCEPD, *LblSCEPA, *LblSCEPS, *LblSCEAD, *LblSCEAA, *LblSCEAS;
    // "Altre fascole ": invoiced (F) and not (NF), advances, costs, fees and total.
    QLabel *LblAPAF, *LblAPCF, *LblAPKF, *LblAPTF, *LblAPANF, *LblAPCNF, *LblAPKNF, *LblAPTNF;
    // "Fascola corrente": the same.
    QLabel *LblPCAF, *LblPCCF, *LblPCKF, *LblPCTF, *LblPCANF, *LblPCCNF, *LblPCKNF, *LblPCTNF;
    // "Esposizione totale".
    QLabel *LblSC, *LblAP, *LblPC, *LblT;
    QPushButton* CmdContinua;

private:
    void costruisci();
    void Form_Load();
    void mostra(const Esposizione& e);

    QString codiceCliente_;
    QString nomeCliente_;
    QString npra_;
};
