#include "casefiles/engine/NumerazioneFascole.h"

#include "casefiles/engine/FatturazioneFissa.h"
#include "casefiles/engine/ProssimoNumero.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

constexpr int SequenzaMassima = 99999;

QString cinqueCifre(long long numero) { return basic::Right("00000" + QString::number(numero), 5); }

}  // namespace

std::optional<QString> UltimoNpra(db::Database& archivio, const QString& cliente) {
    // Four-digit texts sort as their numbers do.
    const db::Value ultimo =
        archivio.scalar("SELECT npra FROM fascola WHERE cliente = ? ORDER BY npra DESC LIMIT 1", {cliente});
    if (ultimo.isNull()) return std::nullopt;
    return ultimo.toText<QString>();
}

NumeroAssoluto NumeroAssolutoSuccessivo(db::Database& archivio, const QString& anno) {
    const QString prefisso = anno + ".";
    // Every number of the year lies between "yyyy." and "yyyy/", the character after ".".
    const db::Value ultimo = archivio.scalar(
        "SELECT max(numpranno) FROM fascola WHERE numpranno >= ? AND numpranno < ?", {prefisso, anno + "/"});
    if (ultimo.isNull()) return {prefisso + "00001", true};
    const long long sequenza = (long long)basic::Val(basic::Right(ultimo.toText<QString>(), 5)) + 1;
    if (sequenza > SequenzaMassima) return {};
    return {prefisso + cinqueCifre(sequenza), false};
}

QString DataInArchivio(const QString& data) {
    const auto giorno = basic::ToDate(data);
    if (!giorno) throw db::err::typeMismatch();
    return giorno->toString("yyyy-MM-dd");
}

EsitoConferma ConfermaNuovaFascola(db::Database& archivio, NuovaFascola& f) {
    // The case file and its fixed items are stored together or not at all.
    OperazioneIndivisibile conferma;
    Procedura proc("Funzione di conferma di una fascola");
    std::optional<db::Transaction> scrittura;
    if (!proc.essenziale([&] { scrittura.emplace(archivio); })) return EsitoConferma::NonRegistrata;

    // The number proposed when the client was chosen may have been taken since.
    bool occupato = true;
    if (!proc.essenziale([&] {
            occupato = f.npra.isEmpty() ||
                       !archivio.scalar("SELECT 1 FROM fascola WHERE cliente = ? AND npra = ?", {f.cliente, f.npra})
                            .isNull();
        }))
        return EsitoConferma::NonRegistrata;
    if (occupato) {
        std::optional<QString> libero;
        if (!proc.essenziale([&] { libero = ProssimoNumero(UltimoNpra(archivio, f.cliente)); }))
            return EsitoConferma::NonRegistrata;
        if (!libero) return EsitoConferma::NumerazioneEsaurita;
        f.npra = *libero;
    }

    QString data;
    if (!proc.essenziale([&] { data = DataInArchivio(f.data); })) return EsitoConferma::NonRegistrata;
    if (!proc.essenziale([&] { f.numeroAssoluto = NumeroAssolutoSuccessivo(archivio, data.left(4)); }))
        return EsitoConferma::NonRegistrata;
    if (f.numeroAssoluto.numero.isEmpty()) return EsitoConferma::NumerazioneEsaurita;

    if (!proc.essenziale([&] {
            archivio.execute("INSERT INTO fascola (cliente, criterio, data, camponote, npra, rifcli, stato, numpranno) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                             {f.cliente, f.criterio, data, f.camponote, f.npra, f.rifcli, f.stato,
                              f.numeroAssoluto.numero});
        }))
        return EsitoConferma::NonRegistrata;
    QString nuovaFascola = "P";
    if (!LetturaElementiFatturazioneFissa(archivio, nuovaFascola, f.cliente, f.npra))
        return EsitoConferma::NonRegistrata;
    if (conferma.interrotta()) return EsitoConferma::NonRegistrata;
    if (!proc.essenziale([&] { scrittura->commit(); })) return EsitoConferma::NonRegistrata;
    return EsitoConferma::Registrata;
}
