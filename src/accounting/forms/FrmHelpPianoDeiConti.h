#pragma once
#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

// "HELP PIANO DEI CONTI": the postable accounts of the linked archive's chart (headings,
// codes ending in ".0000", never), filtered by a run of characters of the description, by
// nature and by mnemonic word, ordered by code or by description. "&Ok" writes the code of
// the current row into the caller's data-bound combo.
class FrmHelpPianoDeiConti : public QDialog {
    Q_OBJECT
public:
    explicit FrmHelpPianoDeiConti(QWidget* parent = nullptr);

    // Shows the picker modally and returns once it is closed. `Parola` (a mnemonic, "*" as
    // the wildcard) and `Natura` ("P", "C" or "F"; anything else none) filter the first
    // list. The chosen code reaches the caller only through `CampoDestinazione`, and only
    // when it is a data-bound combo (ui::RefillCombo): true when "&Ok" wrote it there.
    static bool Avvia(QObject* CampoDestinazione, const QString& Parola, const QString& Natura);

    // The first list and the initial state for these arguments; Avvia runs it before it
    // shows the form.
    void Form_Load(QObject* CampoDestinazione, const QString& Parola, const QString& Natura);

    // Whether "&Ok" wrote a code into the target.
    bool CodiceScelto() const { return scelto_; }

    QTableWidget* DbgPianoDeiConti;
    QLineEdit* TxtCaratteri;
    QRadioButton* OptPdC;
    QRadioButton* OptClienti;
    QRadioButton* OptFornitori;
    QRadioButton* OptCodice;
    QRadioButton* OptDescrizione;
    QPushButton* CmdOK;
    QPushButton* CmdUscita;
    QLabel* LblMsg;

private:
    enum class Ordine { Codice, Descrizione };

    // Runs the query and shows its rows; a query that fails keeps the list shown.
    void Elenca(const QString& natura, Ordine ordine, bool conFiltro);
    // The nature of the option that is on; none when none is.
    QString NaturaScelta() const;
    Ordine OrdineScelto() const;

    void CmdOK_Click();

    QPointer<QObject> CampoDestinazione;
    QString Parola;
    QString Natura;
    bool scelto_ = false;
};
