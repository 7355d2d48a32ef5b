#include "invoice/engine/FatturazioneCompetenze.h"

#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

// The keys of the lines' fee items, in line order, as one JSON list of [client, case, task,
// job, element] texts; and how many there are.
std::pair<std::string, int> chiaviJson(const TabellaRigheFattura& righe) {
    std::string json = "[";
    int chiavi = 0;
    for (const RigaFattura& r : righe) {
        if (!r.DaCompetenza) continue;
        ++chiavi;
        json += json.size() > 1 ? ",[" : "[";
        bool primo = true;
        for (const QString* campo : {&r.cliente, &r.npra, &r.ntask, &r.njob, &r.elemento}) {
            if (!primo) json += ',';
            db::appendJsonString(json, campo->toStdString());
            primo = false;
        }
        json += ']';
    }
    return {json + "]", chiavi};
}

// The lines' keys as rows, read once, and the fee items they name: each line meets its item as
// a look-up of the item's key would find it.
const char* const CompetenzeDelleRighe =
    "WITH k(cliente, npra, ntask, njob, elemento) AS MATERIALIZED "
    "(SELECT value ->> 0, value ->> 1, value ->> 2, value ->> 3, value ->> 4 FROM json_each(?1)) ";
const char* const Incrocio =
    "FROM k CROSS JOIN competenze AS c ON c.cliente = k.cliente AND c.npra = k.npra AND c.ntask = k.ntask "
    "AND c.njob = k.njob AND c.elemento = k.elemento";

}  // namespace
QString IdFattura(const QString& npra, const QString& dataFattura, const QString& numeroDocumento) {
    const auto data = basic::ToDate(dataFattura);
    const QString parteData = data ? basic::Format(*data, "yymmdd") : QStringLiteral("NoData");
    return basic::Right("0000" + npra, 4) + parteData + NumeroInIdFattura(numeroDocumento);
}

QString NumeroInIdFattura(const QString& numeroDocumento) {
    return basic::Right("00000" + basic::Trim(numeroDocumento), 5);
}

bool CompetenzeConIdFattura(db::Database& archivio, const QString& cliente, const QString& idfattura) {
    return !archivio.scalar("SELECT 1 FROM competenze WHERE cliente = ? AND idfattura = ? LIMIT 1", {cliente, idfattura})
                .isNull();
}

EsitoFatturazioneCompetenze FatturazioneCompetenze(db::Database& archivio, const TabellaRigheFattura& righe,
                                                   const QString& idfattura) {
    EsitoFatturazioneCompetenze esito;
    const auto [chiavi, linee] = chiaviJson(righe);
    if (linee == 0) return esito;
    // Nothing is marked when any item is invoiced already, so that a refusal leaves no mark.
    const int segnate =
        archivio.execute(std::string(CompetenzeDelleRighe) +
                             "UPDATE competenze SET fatturato = 1, idfattura = ?2 WHERE rowid IN (SELECT c.rowid " +
                             Incrocio + ") AND NOT EXISTS (SELECT 1 " + Incrocio + " WHERE c.fatturato <> 0)",
                         {chiavi, idfattura});
    if (segnate == linee) {
        esito.Fatturate = segnate;
        return esito;
    }
    // Lines whose item is gone, a line given twice, or a refusal: each line counts once for each
    // time it appears, as an item billed or to be billed.
    db::Statement st(archivio,
                     std::string(CompetenzeDelleRighe) + "SELECT count(*), coalesce(sum(c.fatturato <> 0), 0) " +
                         Incrocio,
                     {chiavi});
    st.step();
    if (segnate > 0) esito.Fatturate = int(st.column(0).toInt());
    else esito.GiaFatturate = int(st.column(1).toInt());
    return esito;
}
