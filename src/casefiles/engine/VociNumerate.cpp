#include "casefiles/engine/VociNumerate.h"

#include "casefiles/engine/ProssimoNumero.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

std::string padreUguale(const FormaRiga& forma) {
    std::string condizione;
    for (size_t i = 0; i + 1 < forma.chiave.size(); ++i)
        condizione += (condizione.empty() ? "" : " AND ") + forma.chiave[i] + " = ?";
    return condizione;
}

const std::string& colonnaNumero(const FormaRiga& forma) { return forma.chiave.back(); }

std::vector<ValoriLetti> righe(db::Database& archivio, const std::string& sql, const db::Params& parametri) {
    std::vector<ValoriLetti> lette;
    db::Statement st(archivio, sql, parametri);
    const int colonne = st.columnCount();
    while (st.step()) {
        ValoriLetti riga;
        for (int i = 0; i < colonne; ++i) riga.push_back(st.column(i));
        lette.push_back(std::move(riga));
    }
    return lette;
}

}  // namespace

std::vector<ValoriLetti> LeggiVoci(db::Database& archivio, const FormaRiga& forma, const db::Params& padre) {
    return righe(archivio,
                 "SELECT " + ColonneLette(forma) + " FROM " + forma.tabella + " WHERE " + padreUguale(forma) +
                     " ORDER BY " + colonnaNumero(forma),
                 padre);
}

std::optional<ValoriLetti> LeggiVoce(db::Database& archivio, const FormaRiga& forma, const db::Params& padre,
                                     const QString& numero) {
    db::Params chiave = padre;
    chiave.push_back(numero);
    std::vector<ValoriLetti> lette =
        righe(archivio,
              "SELECT " + ColonneLette(forma) + " FROM " + forma.tabella + " WHERE " + padreUguale(forma) + " AND " +
                  colonnaNumero(forma) + " = ?",
              chiave);
    if (lette.empty()) return std::nullopt;
    return std::move(lette.front());
}

std::optional<ValoriLetti> AggiungiVoce(db::Database& archivio, const FormaRiga& forma, const db::Params& padre,
                                        const Campi& valori) {
    db::Transaction scrittura(archivio);
    // Four-digit texts sort as their numbers do.
    const db::Value ultimo = archivio.scalar("SELECT " + colonnaNumero(forma) + " FROM " + forma.tabella + " WHERE " +
                                                 padreUguale(forma) + " ORDER BY " + colonnaNumero(forma) +
                                                 " DESC LIMIT 1",
                                             padre);
    const std::optional<QString> numero =
        ProssimoNumero(ultimo.isNull() ? std::nullopt : std::optional<QString>(ultimo.toText<QString>()));
    if (!numero) return std::nullopt;

    std::string colonne, segnaposti;
    db::Params parametri = padre;
    parametri.push_back(*numero);
    for (const std::string& c : forma.chiave) {
        colonne += (colonne.empty() ? "" : ", ") + c;
        segnaposti += segnaposti.empty() ? "?" : ", ?";
    }
    for (const auto& [colonna, valore] : valori) {
        colonne += ", " + colonna;
        segnaposti += ", ?";
        parametri.push_back(valore);
    }
    archivio.execute("INSERT INTO " + forma.tabella + " (" + colonne + ") VALUES (" + segnaposti + ")", parametri);
    db::Params chiave = padre;
    chiave.push_back(*numero);
    std::vector<ValoriLetti> stored =
        righe(archivio,
              "SELECT " + ColonneLette(forma) + " FROM " + forma.tabella + " WHERE " + padreUguale(forma) + " AND " +
                  colonnaNumero(forma) + " = ?",
              chiave);
    scrittura.commit();
    return std::move(stored.front());
}

std::optional<size_t> CancellaVoce(db::Database& archivio, const FormaRiga& forma, const ValoriLetti& letti,
                                   const std::vector<std::string>& figli) {
    const db::Params chiave(letti.begin(), letti.begin() + long(forma.chiave.size()));
    std::string perChiave;
    for (const std::string& c : forma.chiave) perChiave += (perChiave.empty() ? "" : " AND ") + c + " = ?";

    db::Transaction scrittura(archivio);
    for (size_t i = 0; i < figli.size(); ++i)
        if (!archivio.scalar("SELECT 1 FROM " + figli[i] + " WHERE " + perChiave + " LIMIT 1", chiave).isNull())
            return i;
    CancellaRigaLetta(archivio, forma, letti);
    scrittura.commit();
    return std::nullopt;
}

db::Value DataArchiviata(const QDate& data) {
    if (!data.isValid()) return nullptr;
    return data.toString(Qt::ISODate);
}

QDate DataLetta(const db::Value& data) {
    if (data.isNull()) return {};
    return basic::ToDate(data.toText<QString>()).value_or(QDate());
}
