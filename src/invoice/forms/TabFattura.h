#pragma once
// The invoice tab of the main window (tab "&Fattura"): one document composed at a time from
// the fee items of the case file on display. The document lives in FatturaInComposizione()
// (its lines, the grid's rows, the line in hand and the line selected); this tab fills it by
// a selection criterion, edits it line by line and shows it with its totals. The issue of
// the document (STAMPA) is handed in through `Stampa`: it reads the composed document with
// the accessors below and resets the tab with AzzeraDopoEmissione().
//
// Where its parts live:
// - TabFattura.cpp: the controls, the tab's states, the selection and the grid;
// - RigheTabFattura.cpp: the line editing: grid click, element defaults, amount boxes,
//   insertion, correction, removal and the pop-up menu;
// - the dialogs CLIENTE, NOTE and ALTRI DATI are FrmDatiClienteFattura, FrmNoteFattura and
//   FrmDettElemFattura.
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "foundation/engine/Sessione.h"
#include "invoice/engine/ImportiDocumento.h"
#include "invoice/engine/RigheInComposizione.h"
#include "invoice/engine/SelezioneFattura.h"

class FrmFascola;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
namespace db {
class Database;
}
namespace ui {
class Grid;
class RefillCombo;
}

class TabFattura : public QWidget {
    Q_OBJECT
public:
    // Builds the tab inside the window's invoice page; the window's tab choice puts it in its
    // initial state and its VAT-regime options redraw its grid.
    explicit TabFattura(FrmFascola& finestra);

    // Three centred columns, as wide as their headings with the blanks around them.
    static inline const QString FormatoGriglia = QStringLiteral(
        "^  Codice  |^                                 Descrizione                                 |^     Importo      ");

    // --- What the issue of the document uses.
    // Run by STAMPA; STAMPA does nothing while it is unset.
    std::function<void()> Stampa;
    // The document kind chosen: "F" invoice, "E" debit note, "H" credit note.
    QString LetteraDocumento() const;
    // The composed document: the totals and VAT summary of the lines shown, with withholdings
    // and stamp duty under the invoicing parameters. The labels under the grid show its totals.
    // Worked out again whenever the grid is drawn (a selection applied, a line added, corrected,
    // inserted or removed, the detail dialog closed, the VAT regime changed) and when the
    // parameters dialog closes; nothing while a VAT code or a parameter cannot be read.
    const std::optional<ImportiDocumento>& DocumentoComposto() const { return documento_; }
    // The totals and VAT summary of the composed document, the grid drawn again first when
    // there is none: what STAMPA issues, with the withholdings and stamp duty of the
    // parameters in force then. Nothing when a VAT code still cannot be read.
    const std::optional<RiepilogoIva>& RiepilogoPerLaStampa();
    // After the document is issued: no line selected, grid and document emptied, the tab in
    // its initial state.
    void AzzeraDopoEmissione();

    // --- The tab's procedures.
    void F_StatoIniziale();
    void F_VuotaGriglia();
    void F_AzzeraRighe();
    void F_AbilitaFattura();
    // The six line buttons by a mask, in the order ALTRI DATI, VUOTA, ANNULLA, AGGIUNGI,
    // CORREGGI, TOGLI: "1" enables, "*" leaves, anything else disables. The caller's mask is
    // rewritten as its first six characters followed by "000000", so a short one disables
    // the buttons it does not reach.
    void F_AbilitaPulsanti(QString& maschera);
    void F_AbilitaElemento(bool abilita);
    void F_AbilitaDescrizione(bool abilita);
    void F_AbilitaImporti(bool abilita);
    // The line fields emptied and closed, only VUOTA left on; the line in hand is no longer
    // one of the table's.
    void F_PulisciCampi();
    void EstrazioneElementiDaFatturare(CriterioEstrazione criterio);
    void DefinizioneRigaFattura();
    void VisualizzazioneElementiDaFatturare();
    void DefinizioneDefaultFattura(SceltaElemento modo);
    // Checks the line fields; the message, the focus and false at the first failure.
    bool VerificaDatiFattura();
    // Puts the line of the fields at the place `modo` names: "I" first, "P" above the
    // selected line, "D" below it, "F" last.
    void InserimentoNuovaRiga(QChar modo);

    // --- The controls, named as the controls.
    QLabel* F_LblNomeCliente;
    QGroupBox* F_FrmOpzioni;
    QRadioButton* F_OptFineMese;
    QRadioButton* F_OptAnticipazioni;
    QRadioButton* F_OptPerOgniVoce;
    QRadioButton* F_OptIncaricoFinito;
    QRadioButton* F_OptFascolaFinita;
    QRadioButton* F_OptNessunaSelezione;
    QLineEdit* F_TxtMese;
    QPushButton* F_CmdApplicaSelezione;
    QRadioButton* F_OptFattura;
    QRadioButton* F_OptNotaDebito;
    QRadioButton* F_OptNotaCredito;
    QPushButton* F_CmdDatiCliente;
    QPushButton* F_CmdParametriFattura;
    QPushButton* F_CmdNote;
    QPushButton* F_CmdStampa;

    ui::RefillCombo* F_DbcElemento;
    ui::RefillCombo* F_DbcDescrizione;
    QLineEdit* F_TxtDescrizione;
    QLabel* F_LblCheCao;
    QLineEdit* F_TxtImporto;
    QLabel* F_LblFattore;
    QLineEdit* F_TxtFattore;
    QLineEdit* F_TxtImpofatt;
    QPushButton* F_CmdVediAltriDati;
    QPushButton* F_CmdVuota;
    QPushButton* F_CmdAnnulla;
    QPushButton* F_CmdAggiungi;
    QPushButton* F_CmdCorreggi;
    QPushButton* F_CmdTogli;

    ui::Grid* F_FlxFattura;
    QLabel* F_LblTotale;
    QLabel* F_LblIva;

    // The grid's pop-up menu of insertion places.
    QMenu* mnurapido;
    QAction* F_mnuPrimaRiga;
    QAction* F_mnuRigaSopra;
    QAction* F_mnuRigaSotto;
    QAction* F_mnuUltimaRiga;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void costruisci();
    void collegaEventi();

    void F_CmdApplicaSelezione_Click();
    void F_OptCriterio_Click(bool fineMese);
    void F_TxtMese_LostFocus();
    void F_CmdDatiCliente_Click();
    void F_CmdParametriFattura_Click();
    void F_CmdNote_Click();

    void F_FlxFattura_Click(int riga);
    void F_FlxFattura_MouseDown(const QPoint& dove);
    void F_DbcElemento_LostFocus();
    void F_DbcDescrizione_LostFocus();
    void F_TxtImporti_LostFocus();
    void F_CmdVediAltriDati_Click();
    void F_CmdVuota_Click();
    void F_CmdAnnulla_Click();
    void F_CmdAggiungi_Click();
    void F_CmdCorreggi_Click();
    void F_CmdTogli_Click();

    // The amount boxes as they stand, and laid out again.
    CampiImporto campiImporto() const;
    void mostraImporti(const CampiImporto& campi);
    CampiRiga campiRiga() const;
    // The session, or nullptr once the error handler was told it cannot be had.
    Connessione sessione(const QString& descrizione);
    // The element's calculation mode once the fields were checked, nothing when they failed.
    // `sostituita`: the line the fields will replace, 0 for a line added.
    std::optional<QString> verificaRiga(int sostituita = 0);

    FrmFascola& finestra_;
    // The layout of the boxes in use, for working out the amount to invoice.
    CasoCalcolo casoCalcolo_ = CasoCalcolo::Nessuno;
    // The element whose description and amounts the fields show, as read when they were
    // filled from it: the one chosen for a new line, or that of the line loaded; nothing once
    // the fields are cleared.
    std::optional<ElementoDaFatturare> elementoMostrato_;
    // The invoice grid's row of the last click in it: the pop-up menu needs one.
    int rigaCliccataFattura_ = 0;
    // How many times the grid was drawn: APPLICA draws it once, through the regime or itself.
    int grigliaDisegnata_ = 0;
    // The summary of the grid last drawn, and the document composed from it.
    std::optional<RiepilogoIva> riepilogo_;
    std::optional<ImportiDocumento> documento_;
    // The document composed again from the summary under ParametriFattura().
    void ComponiDocumento();
};
