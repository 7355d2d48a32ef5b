#include "casefiles/engine/ClientiFascola.h"

#include <cstdio>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/ElencoCombo.h"
#include "platform/db/Database.h"

namespace {

const char* const NaturaCliente = "C";

bool collegato() { return AmbienteLavoro().CollegatoContabilita; }

std::optional<QString> primoValore(db::Database& archivio, const std::string& sql, const db::Params& parametri) {
    db::Statement st(archivio, sql, parametri);
    if (!st.step()) return std::nullopt;
    return st.column(0).textOr(QString());
}

// A list of texts as one JSON array, bound as one parameter.
std::string elencoJson(const std::vector<QString>& testi) {
    std::string json = "[";
    json.reserve(testi.size() * 16);
    for (const QString& testo : testi) {
        if (json.size() > 1) json += ',';
        json += '"';
        for (const char c : testo.toStdString()) {
            if (c == '"' || c == '\\') {
                json += '\\';
                json += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char codice[8];
                std::snprintf(codice, sizeof codice, "\\u%04x", c);
                json += codice;
            } else {
                json += c;
            }
        }
        json += '"';
    }
    return json + "]";
}

}  // namespace

std::optional<QString> CodiceDelCliente(db::Database& archivio, const QString& nome) {
    if (collegato())
        return primoValore(archivio, "SELECT codice FROM pianodeiconti WHERE descrizione = ? AND natura = ?",
                           {nome, NaturaCliente});
    return primoValore(archivio, "SELECT codice FROM mpxanagrafe WHERE ragione = ?", {nome});
}

std::optional<QString> NomeDelCliente(db::Database& archivio, const QString& codice) {
    if (collegato()) return primoValore(archivio, "SELECT descrizione FROM pianodeiconti WHERE codice = ?", {codice});
    return primoValore(archivio, "SELECT ragione FROM mpxanagrafe WHERE codice = ?", {codice});
}

QHash<QString, QString> NomiDeiClienti(db::Database& archivio, const std::vector<QString>& codici) {
    const std::string elenco = elencoJson(codici);
    const std::string sql = collegato() ? "SELECT k.value, p.descrizione FROM json_each(?) AS k "
                                          "CROSS JOIN pianodeiconti AS p WHERE p.codice = k.value"
                                        : "SELECT k.value, m.ragione FROM json_each(?) AS k "
                                          "CROSS JOIN mpxanagrafe AS m WHERE m.codice = k.value";
    QHash<QString, QString> nomi;
    nomi.reserve(qsizetype(codici.size()));
    db::Statement st(archivio, sql, {elenco});
    while (st.step()) nomi.insert(st.column(0).toText<QString>(), st.column(1).textOr(QString()));
    return nomi;
}

std::vector<ui::ComboRow> ElencoClienti(db::Database& archivio) {
    if (collegato())
        return ElencoDaQuery(archivio,
                            "SELECT descrizione FROM pianodeiconti WHERE codice NOT LIKE ? ESCAPE '\\' AND natura = ? "
                            "ORDER BY descrizione",
                            {db::likePattern("*.0000"), NaturaCliente});
    return ElencoDaQuery(archivio, "SELECT ragione FROM mpxanagrafe ORDER BY ragione");
}

std::vector<ui::ComboRow> ElencoElementi(db::Database& archivio) {
    return ElencoDaQuery(archivio, "SELECT codice FROM elefat ORDER BY codice");
}
