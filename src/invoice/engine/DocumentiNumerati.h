#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace db {
class Database;
}
struct EsercizioContabile;

// The documents of a year that bear a given number, as the case-file archive and the invoice folder
// know them: the issue records each document it commits (DocumentiEmessi.h), with its `idfattura`
// (case number, date as yymmdd, the last five characters of its number) and its letter, whatever
// its lines bill; the fee items a document billed carry the same identifier (the only trace of a
// document issued before documents were recorded, with its stored copy), and its stored copy
// carries it in its name, with the document letter and its registration number. A stored copy
// counts for its number whether or not its document billed fee items. A document that was not
// posted is on no register, so this is the only place that knows its number was given: the issue
// looks here before it gives a number, since a year has one progressive number per series.
// Documents are compared by the number as `idfattura` keeps it (NumeroInIdFattura).
//
// "The year" is the one whose register numbers the document: linked, the accounting year of the
// archive posted into, which may run from a month other than January into the next calendar
// year (from July 1999 to June 2000); not linked, the calendar year of the document date. Since
// `idfattura` keeps the date as yymmdd, the year is looked up as one stretch of dates in each
// calendar year it touches.

// The first and the last day of the year of the documents.
struct AnnoDeiDocumenti {
    QDate Inizio;
    QDate Fine;
    // Not linked: the calendar year of `data` (no day when `data` is null).
    static AnnoDeiDocumenti Solare(const QDate& data);
    // Linked: the accounting year of the archive (no day when the archive names none).
    static AnnoDeiDocumenti DellEsercizio(const EsercizioContabile& esercizio);
};

struct DocumentoNumerato {
    QString Cliente;    // the client code
    QString IdFattura;
    QString Lettera;    // "F", "E", "H"; "" when no stored copy tells
};

class DocumentiNumerati {
public:
    // The documents dated in `anno` (none when it has no days), read on `sessione` and in the
    // invoice folder `cartellaFatture` (with or without its final separator; "NO" or empty for
    // none). Linked, a document posted to the journal of the attached accounting archive is left
    // out: its register knows its number.
    DocumentiNumerati(db::Database& sessione, const QString& cartellaFatture, bool collegato,
                      const AnnoDeiDocumenti& anno);

    // The documents bearing `numero`, by date. Throws db::DbError.
    std::vector<DocumentoNumerato> conNumero(const QString& numero) const;
    // The first of them in the series of `lettere` (or that does not tell its letter); nothing
    // when none. Throws db::DbError.
    std::optional<DocumentoNumerato> primoNellaSerie(const QString& numero, const QStringList& lettere) const;
    // The document as the user is told of it: "FATTURA N. 13 del 15/01/04, cliente 01.01.01.0001
    // Rossi Mario S.r.l., fascola 0007" (the kind "DOCUMENTO" when the letter is not known; the
    // client's name when the registry or the chart holds it). Throws db::DbError.
    QString descrizione(const DocumentoNumerato& documento) const;

private:
    // The dates of the year within one calendar year, as `idfattura` holds them.
    struct Tratto {
        QString Anno;  // yy
        QString Dal;   // mmdd
        QString Al;    // mmdd
    };
    // Where a document of identifier `idfattura` falls in the year, as a text that orders the
    // year's dates; nothing when it is not of the year.
    std::optional<QString> posizione(const QString& idfattura) const;

    db::Database& sessione_;
    QString cartella_;
    bool collegato_;
    std::vector<Tratto> tratti_;  // in date order; none when the year has no days
};
