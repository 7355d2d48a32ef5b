#include "invoice/engine/FatturazioneCompetenze.h"

#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

db::Params chiave(const RigaFattura& r) { return {r.Cliente, r.Npra, r.Ntask, r.Njob, r.Elemento}; }

}  // namespace

QString IdFattura(const QString& npra, const QString& dataFattura, const QString& numeroDocumento) {
    const auto data = basic::ToDate(dataFattura);
    const QString parteData = data ? basic::Format(*data, "yymmdd") : QStringLiteral("NoData");
    return basic::Right("0000" + npra, 4) + parteData + basic::Right("00000" + basic::Trim(numeroDocumento), 5);
}

bool IdFatturaInUso(db::Database& archivio, const QString& cliente, const QString& idfattura) {
    return !archivio.scalar("SELECT 1 FROM competenze WHERE cliente = ? AND idfattura = ? LIMIT 1", {cliente, idfattura})
                .isNull();
}

EsitoFatturazioneCompetenze FatturazioneCompetenze(db::Database& archivio, const TabellaRigheFattura& righe,
                                                   const QString& idfattura) {
    EsitoFatturazioneCompetenze esito;
    // Everything is looked at before anything is written, so that a refusal leaves no mark.
    for (const RigaFattura& r : righe) {
        const db::Value fatturato = archivio.scalar(
            "SELECT fatturato FROM competenze WHERE cliente = ? AND npra = ? AND ntask = ? AND njob = ? AND elemento = ?",
            chiave(r));
        if (!fatturato.isNull() && fatturato.toBool()) ++esito.GiaFatturate;
    }
    if (esito.GiaFatturate > 0) return esito;

    db::Params valori;
    for (const RigaFattura& r : righe) {
        valori = chiave(r);
        valori.insert(valori.begin(), idfattura);
        esito.Fatturate += archivio.execute(
            "UPDATE competenze SET fatturato = 1, idfattura = ? "
            "WHERE cliente = ? AND npra = ? AND ntask = ? AND njob = ? AND elemento = ?",
            valori);
    }
    return esito;
}
