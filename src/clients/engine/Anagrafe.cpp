#include "clients/engine/Anagrafe.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "clients/engine/ParametriCliente.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

namespace {


size_t indice(const char* colonna) {
    for (size_t i = 0; i < ColonneAnagrafe.size(); ++i)
        if (std::strcmp(ColonneAnagrafe[i], colonna) == 0) return i;
    throw std::logic_error(std::string("no column ") + colonna + " in mpxanagrafe");
}

std::string elencoColonne() {
    std::string elenco;
    for (const char* c : ColonneAnagrafe) elenco += (elenco.empty() ? "" : ", ") + std::string(c);
    return elenco;
}

std::vector<RigaAnagrafe> leggi(db::Database& archivio, const std::string& sql, const db::Params& parametri) {
    std::vector<RigaAnagrafe> righe;
    db::Statement st(archivio, sql, parametri);
    while (st.step()) {
        RigaAnagrafe r;
        for (size_t i = 0; i < ColonneAnagrafe.size(); ++i) r.valori[i] = st.column(int(i));
        righe.push_back(std::move(r));
    }
    return righe;
}

std::string selezione() { return "SELECT " + elencoColonne() + " FROM mpxanagrafe"; }

// The condition that finds `letta` only while it still holds what was read.
std::string comeLetta(const RigaAnagrafe& letta, db::Params& parametri) {
    std::string condizione = "codice = ?";
    parametri.push_back(letta.valore("codice"));
    for (size_t i = 1; i < ColonneAnagrafe.size(); ++i) {
        condizione += " AND " + std::string(ColonneAnagrafe[i]) + " IS ?";
        parametri.push_back(letta.valori[i]);
    }
    return condizione;
}

// Nothing matched the row as read: tell a change from a deletion.
[[noreturn]] void rigaNonTrovata(db::Database& archivio, const RigaAnagrafe& letta) {
    if (archivio.scalar("SELECT 1 FROM mpxanagrafe WHERE codice = ?", {letta.valore("codice")}).isNull())
        throw db::err::recordDeleted();
    throw db::err::dataChanged();
}

}  // namespace

const db::Value& RigaAnagrafe::valore(const char* colonna) const { return valori[indice(colonna)]; }

QString RigaAnagrafe::testo(const char* colonna) const { return valore(colonna).textOr(QString()); }

DatiAnagrafica RigaAnagrafe::dati() const {
    return {testo("codice"), testo("ragione"),   testo("indirizzo"), testo("cap"),
            testo("localita"), testo("provincia"), testo("stato"),     testo("picf")};
}

std::vector<RigaAnagrafe> CercaAnagrafiche(db::Database& archivio, const QString& codice, const QString& ragione) {
    std::string condizioni;
    db::Params parametri;
    if (!codice.isEmpty()) {
        condizioni += " WHERE codice = ?";
        parametri.push_back(codice);
    }
    if (!ragione.isEmpty()) {
        condizioni += condizioni.empty() ? " WHERE ragione = ?" : " AND ragione = ?";
        parametri.push_back(ragione);
    }
    return leggi(archivio, selezione() + condizioni + " ORDER BY codice", parametri);
}

std::vector<ui::ComboRow> ElencoCodiciAnagrafe(db::Database& archivio) {
    std::vector<ui::ComboRow> codici;
    db::Statement st(archivio, "SELECT codice FROM mpxanagrafe ORDER BY codice");
    while (st.step()) {
        const QString codice = st.column(0).textOr(QString());
        codici.push_back({codice, codice});
    }
    return codici;
}

bool CodiceAnagraficaEsistente(db::Database& archivio, const QString& codice) {
    return !archivio.scalar("SELECT 1 FROM mpxanagrafe WHERE codice = ?", {codice}).isNull();
}

bool AnagraficaInUso(db::Database& archivio, const QString& codice) {
    return !archivio.scalar("SELECT 1 FROM fascola WHERE cliente = ? LIMIT 1", {codice}).isNull();
}

void InserisciAnagrafica(db::Database& archivio, const DatiAnagrafica& d) {
    db::Transaction scrittura(archivio);
    archivio.execute("INSERT INTO mpxanagrafe (" + elencoColonne() + ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     {d.codice, d.ragione, d.indirizzo, " ", d.cap, d.localita, d.provincia, d.stato, d.picf, " "});
    scrittura.commit();
}

RigaAnagrafe CorreggiAnagrafica(db::Database& archivio, const RigaAnagrafe& letta, const DatiAnagrafica& d) {
    db::Transaction scrittura(archivio);
    db::Params parametri = {d.ragione, d.indirizzo, d.cap, d.localita, d.provincia, d.stato, d.picf};
    const std::string dove = comeLetta(letta, parametri);
    const int cambiate = archivio.execute("UPDATE mpxanagrafe SET ragione = ?, indirizzo = ?, cap = ?, localita = ?, "
                                          "provincia = ?, stato = ?, picf = ? WHERE " + dove,
                                          parametri);
    if (cambiate == 0) rigaNonTrovata(archivio, letta);
    std::vector<RigaAnagrafe> ora = leggi(archivio, selezione() + " WHERE codice = ?", {letta.valore("codice")});
    scrittura.commit();
    return ora.at(0);
}

EsitoCancellazione CancellaAnagrafica(db::Database& archivio, const RigaAnagrafe& letta) {
    db::Transaction scrittura(archivio);
    if (AnagraficaInUso(archivio, letta.testo("codice"))) return EsitoCancellazione::InUso;
    db::Params parametri;
    const std::string dove = comeLetta(letta, parametri);
    if (archivio.execute("DELETE FROM mpxanagrafe WHERE " + dove, parametri) == 0) rigaNonTrovata(archivio, letta);
    CancellaParametriDelCodice(archivio, letta.testo("codice"));
    scrittura.commit();
    return EsitoCancellazione::Cancellata;
}
