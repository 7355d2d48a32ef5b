#pragma once
// "GESTIONE FATTURE EMESSE": the documents kept in the invoice folder for one client. The
// client's code is typed (or picked with F3 from the chart of accounts); leaving the box lists
// the client's stored documents; a row and an action chosen, ESEGUI reprints the document
// through the same report as STAMPA, or cancels it: its fee items become billable again and
// its stored copy is removed. The accounting archive is not touched: the posting, the number
// taken from the register and the register's counters stay as they are.
//
// Entering the client box starts over: name, list and choices emptied, ESEGUI disabled; each
// ESEGUI ends by putting the focus back there.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

#include "invoice/engine/Ristampa.h"

class QLabel;
class QPushButton;
class QRadioButton;
namespace ui {
class Grid;
class RefillCombo;
}

class FrmRistampa : public QDialog {
    Q_OBJECT
public:
    explicit FrmRistampa(QWidget* parent = nullptr);

    static inline const QString Titolo = QStringLiteral("GESTIONE FATTURE EMESSE");
    static inline const QString FormatoGrigliaVuota =
        QStringLiteral("^    Fascola     |^    Data     |^ Tipo doc. |^  Numero  |^ Reg.Cont. ");
    static inline const QString FormatoGriglia =
        QStringLiteral("^   Fascola    |^    Data     |^ Tipo doc. |^  Numero  |^ Reg.Cont. ");
    static inline const QString NonDefinito = QStringLiteral("NON DEFINITO");

    // The grid's procedures.
    void VuotaGriglia();
    void PopolaGriglia();

    // The documents listed, in order: row r of the grid is ElencoFatture[r - 1].
    const std::vector<DocumentoArchiviato>& ElencoFatture() const { return elenco_; }
    int NumeroFatture() const { return int(elenco_.size()); }
    // The grid row chosen by the last click, 0 for none.
    int RigaSelezionata() const { return rigaSelezionata_; }

    QLabel* Label1;
    ui::RefillCombo* DbcCliente;
    QLabel* LblNome;
    ui::Grid* FlxFatture;
    QRadioButton* OptRistampa;
    QRadioButton* OptAnnulla;
    QPushButton* CmdEsegui;
    QPushButton* CmdFine;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void costruisci();
    void DbcCliente_GotFocus();
    void DbcCliente_KeyDown(int tasto);
    void DbcCliente_LostFocus();
    void FlxFatture_Click(int riga);
    void CmdEsegui_Click();
    // Back to the client box: the form starts over.
    void TornaAlCliente();
    void Ristampa(const DocumentoArchiviato& documento);
    void Annullamento(const DocumentoArchiviato& documento);
    void coloraRiga(int riga, std::uint32_t colore);

    std::vector<DocumentoArchiviato> elenco_;
    int rigaSelezionata_ = 0;
    int rigaPrecedente_ = 0;
    bool primoIngresso_ = true;
};
