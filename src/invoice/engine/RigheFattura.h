#pragma once
#include <QDate>
#include <QString>
#include <vector>

#include "fees/engine/Competenza.h"
#include "platform/system/Currency.h"

// The invoice being composed on the invoice tab: its lines, the rows of the grid that shows
// them, the line being prepared and the line selected. It lives only in memory; the issue
// of the document reads it and empties it again.

// One line of the invoice: the fee item it bills, as `competenze` stores it (the issue finds
// its row by the key), and the fields of the invoice's own. A field nobody sets stays empty
// text, 0 or false.
struct RigaFattura : Competenza {
    // The line came from a fee item stored in the archive (the selection took it), whose row the
    // issue marks invoiced; it stays so when the line is corrected or moved. A line typed on the
    // tab is none: it bills no fee item, whatever its task, job and element.
    bool DaCompetenza = false;
    // Kind of the catalogue element: "C" cost, "A" advance, "X" fee. Empty until the VAT
    // computation reads it from the catalogue.
    QString Tipo;
    // VAT code of the accounting archive, or the rate in percent typed as a number when it
    // is not linked.
    QString CodiceIva;
    // The VAT code was fixed by hand: the VAT computation keeps it.
    bool IvaBloccata = false;
};

// A fee item's amount to invoice as a line of a document bills it: to the cent, halves away
// from zero, as every figure of the document is rounded. So the groups, the VAT, the totals,
// the VAT register and the journal are all worked out from whole cents and agree with one
// another and with the printed lines; the fee item keeps the amount as it was typed.
Currency ImportoRigaDocumento(Currency impofat);

// The invoice lines, numbered from 1 to NumeroRighe() in the order they are billed and
// printed; 0 is no line.
class TabellaRigheFattura {
public:
    // The line counter is a 16-bit number: the document holds at most 32767 lines.
    static constexpr int MassimoRighe = 32767;

    int NumeroRighe() const { return int(righe_.size()); }
    bool vuota() const { return righe_.empty(); }
    // True when `indice` names a line of the table.
    bool contiene(int indice) const { return indice >= 1 && indice <= NumeroRighe(); }

    // Line `indice`, 1 to NumeroRighe(); std::out_of_range otherwise.
    RigaFattura& riga(int indice);
    const RigaFattura& riga(int indice) const;

    // Appends a line and returns its number. The line's amount to invoice enters the
    // document at the cent (ImportoRigaDocumento). A full table raises the overflow error
    // (db::DbError 6) and stays as it was.
    int aggiungi(RigaFattura riga);
    // Puts a line at `posizione`, moving that line and the ones below it down by one; a
    // position before the first line counts as 1, one past the end as an append. Returns
    // the line's number. Overflow as aggiungi.
    int inserisci(int posizione, RigaFattura riga);
    // Takes line `indice` out; the lines below move up by one. False when there is no such
    // line.
    bool rimuovi(int indice);
    void svuota() { righe_.clear(); }

    // The lines in order, for range-for.
    auto begin() const { return righe_.begin(); }
    auto end() const { return righe_.end(); }
    auto begin() { return righe_.begin(); }
    auto end() { return righe_.end(); }

private:
    std::vector<RigaFattura> righe_;
};

// Kind of a row of the invoice grid.
enum class TipoRiga : char {
    Incarico = 'I',     // task heading
    Lavorazione = 'L',  // job heading
    Elemento = 'E',     // invoice line
};
// "I", "L" or "E", as the print database stores it.
QString TestoTipoRiga(TipoRiga tipo);

// One row of the invoice grid, pointing back into the line table.
struct RigaVisualizzata {
    TipoRiga Tipo = TipoRiga::Elemento;
    // Heading text: the task's title or "FASCOLA " and the case number for a task heading,
    // the job's description for a job heading (" " when there is none). Empty for a line.
    QString Testo;
    // The line the row shows, or for a heading the first line under it.
    int IndiceRiga = 0;
};

// The rows of the invoice grid in display order, numbered from 1; grid row r is row r.
class TabellaRigheVisualizzate {
public:
    int NumeroRigheVisualizzate() const { return int(righe_.size()); }
    bool contiene(int indice) const { return indice >= 1 && indice <= NumeroRigheVisualizzate(); }
    // Row `indice`, 1 to NumeroRigheVisualizzate(); std::out_of_range otherwise.
    const RigaVisualizzata& riga(int indice) const;
    // The rows are rebuilt as a whole after every change of the lines, never edited.
    void aggiungi(RigaVisualizzata riga) { righe_.push_back(std::move(riga)); }
    void svuota() { righe_.clear(); }

    auto begin() const { return righe_.begin(); }
    auto end() const { return righe_.end(); }

private:
    std::vector<RigaVisualizzata> righe_;
};

// The line being prepared or corrected on the invoice tab, shared with the line detail
// dialog; copied into the line table when the line is added, inserted or corrected.
struct RigaFatturaInCorsoRec {
    QString Ntask;  // "0000": no task
    QString Njob;   // "0000": no job
    QString DarePn;
    QString AverePn;
    QString Ricavi;
    QString Pagamento;
    QString CodiceIva;
    bool IvaBloccata = false;
    // 1 when a grid click chose the line: only then does the detail dialog write into the
    // line table.
    int Modo = 0;
    QString Descrizione;  // the element description the detail dialog shows
};

// The document being composed: one for the whole run, reached through
// FatturaInComposizione().
struct FatturaInComposizioneRec {
    TabellaRigheFattura RigheFattura;
    TabellaRigheVisualizzate RigheVisualizzate;
    RigaFatturaInCorsoRec RigaFatturaInCorso;
    // The line selected on the tab, 0 when none. It may be left pointing past the table
    // (a new selection does not reset it): use RigaSelezionata() to read it.
    int RigaCorrente = 0;

    // The selected line when RigaCorrente names one, else 0.
    int RigaSelezionata() const { return RigheFattura.contiene(RigaCorrente) ? RigaCorrente : 0; }
    // The selected line, nullptr when none.
    RigaFattura* LineaSelezionata();

    // Both tables emptied and no line selected: what VUOTA, a new selection and a completed
    // issue start from.
    void AzzeraRighe();
};

FatturaInComposizioneRec& FatturaInComposizione();

// The record back to its state before the first use.
void RipristinaFatturaInComposizione();
