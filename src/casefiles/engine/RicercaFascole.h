#pragma once
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "casefiles/engine/Fascole.h"
#include "platform/db/Database.h"

// The search of the case-file mask: one query over `fascola` from the criteria that are not
// empty, every value a bound parameter.
struct CriteriRicerca {
    enum class Stato { Tutte, Aperte, Chiuse };

    QString cliente{};     // the client's code; empty when only blanks
    QString data{};        // opening date
    QString rifcli{};      // client's reference, matched whole
    Stato stato = Stato::Tutte;
    QString documento{};   // pattern ("*", "?") on the description of a job of the case file
    QString incarico{};    // pattern on the title of a task of the case file
    QString competenza{};  // catalogue code of a fee item of the case file
    QString importo{};     // amount to invoice of a fee item of the case file, in figures
};

struct QueryRicerca {
    std::string sql;
    db::Params parametri;
};

// The query selecting `colonne`, ordered by client, then latest date, then highest case
// number. Nothing when the date is no date (the date helper has said so). An amount that is
// no number in figures (NumeroInCifre: "abc", "12 euro") raises db::DbError 13: no figures
// are read out of words.
std::optional<QueryRicerca> ComponiRicerca(const CriteriRicerca& criteri, const std::string& colonne = "*");

// The case files the criteria find, in the search's order; nothing when the date is no date.
// Throws db::DbError.
std::optional<ElencoFascole> CercaFascole(db::Database& archivio, const CriteriRicerca& criteri);
