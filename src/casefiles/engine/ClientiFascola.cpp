#include "casefiles/engine/ClientiFascola.h"

#include <memory>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

namespace {

const char* const NaturaCliente = "C";

std::unique_ptr<db::Database> archivioClienti() {
    const AmbienteLavoroRec& a = AmbienteLavoro();
    return db::Database::open((a.CollegatoContabilita ? a.PathArchivioContabile : a.PathArchivioFascole).toStdString());
}

std::optional<QString> primoValore(db::Database& archivio, const std::string& sql, const db::Params& parametri) {
    db::Statement st(archivio, sql, parametri);
    if (!st.step()) return std::nullopt;
    return st.column(0).textOr(QString());
}

// The first column of every row of `sql` on `path`, as list rows.
std::vector<ui::ComboRow> elenco(const QString& descrizione, const QString& path, const std::string& sql,
                                 const db::Params& parametri = {}) {
    std::vector<ui::ComboRow> righe;
    Procedura proc(descrizione);
    proc.esegui([&] {
        righe.clear();
        auto archivio = db::Database::open(path.toStdString());
        db::Statement st(*archivio, sql, parametri);
        while (st.step()) {
            const QString testo = st.column(0).textOr(QString());
            righe.push_back({testo, testo});
        }
    });
    return righe;
}

}  // namespace

std::optional<QString> CodiceDelCliente(const QString& nome) {
    auto archivio = archivioClienti();
    if (AmbienteLavoro().CollegatoContabilita)
        return primoValore(*archivio, "SELECT codice FROM pianodeiconti WHERE descrizione = ? AND natura = ?",
                           {nome, NaturaCliente});
    return primoValore(*archivio, "SELECT codice FROM mpxanagrafe WHERE ragione = ?", {nome});
}

std::optional<QString> NomeDelCliente(const QString& codice) {
    auto archivio = archivioClienti();
    if (AmbienteLavoro().CollegatoContabilita)
        return primoValore(*archivio, "SELECT descrizione FROM pianodeiconti WHERE codice = ?", {codice});
    return primoValore(*archivio, "SELECT ragione FROM mpxanagrafe WHERE codice = ?", {codice});
}

std::vector<ui::ComboRow> ElencoClienti() {
    const AmbienteLavoroRec& a = AmbienteLavoro();
    if (a.CollegatoContabilita)
        return elenco("Funzione di definizione nome cliente", a.PathArchivioContabile,
                      "SELECT descrizione FROM pianodeiconti WHERE codice NOT LIKE ? ESCAPE '\\' AND natura = ? "
                      "ORDER BY descrizione",
                      {db::likePattern("*.0000"), NaturaCliente});
    return elenco("Funzione di definizione nome cliente", a.PathArchivioFascole,
                  "SELECT ragione FROM mpxanagrafe ORDER BY ragione");
}

std::vector<ui::ComboRow> ElencoElementi() {
    return elenco("Funzione di ricerca fascole", AmbienteLavoro().PathArchivioFascole,
                  "SELECT codice FROM elefat ORDER BY codice");
}
