#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace db {
class Database;
}

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

struct DocumentoNumerato {
    QString Cliente;    // the client code
    QString IdFattura;
    QString Lettera;    // "F", "E", "H"; "" when no stored copy tells
};

class DocumentiNumerati {
public:
    // The documents of the year of `dataFattura` (a date text), read on `sessione` and in the
    // invoice folder `cartellaFatture` (with or without its final separator; "NO" or empty for
    // none). Linked, a document posted to the journal of the attached accounting archive is left
    // out: its register knows its number.
    DocumentiNumerati(db::Database& sessione, const QString& cartellaFatture, bool collegato,
                      const QString& dataFattura);

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
    db::Database& sessione_;
    QString cartella_;
    bool collegato_;
    QString anno_;  // yy, as `idfattura` holds it
};
