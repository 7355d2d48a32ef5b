#include "accounting/engine/LetturaContabile.h"

#include <memory>

#include "foundation/engine/Procedura.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"

namespace {

QString Testo(const db::Recordset& rs, const char* colonna) { return rs.field(colonna).textOr(QString()); }

// The street of the package's registry: street and house number, each trimmed, joined by a
// comma; nothing at all without a street.
QString IndirizzoContabile(const db::Recordset& rs) {
    const db::Value via = rs.field("indirizzo");
    if (via.isNull()) return {};
    return basic::Trim(via.toText<QString>()) + ", " + basic::Trim(Testo(rs, "civico"));
}

// The own registry keeps one tax number: 11 characters are a VAT number, 16 a tax code.
QString PicfDiLunghezza(const db::Recordset& rs, qsizetype lunghezza) {
    const QString picf = Testo(rs, "picf");
    return picf.size() == lunghezza ? picf : QString();
}

}  // namespace

namespace {

const QString DescrizioneLetturaDatiCliente = QStringLiteral("Funzione di lettura dati cliente");
const QString DescrizioneLetturaPdC = QStringLiteral("Funzione di lettura PdC da contabilità");
const QString DescrizioneLetturaConto =
    QStringLiteral("Funzione di lettura da contabilità descrizione piano dei conti");

}  // namespace

void LetturaDatiCliente(db::Database& archivio, const QString& CodiceCliente) {
    Procedura proc(DescrizioneLetturaDatiCliente);
    const bool collegato = AmbienteLavoro().CollegatoContabilita;
    DatiClienteFatturaRec& dati = DatiClienteFattura();

    std::unique_ptr<db::Recordset> rs;
    if (!proc.essenziale([&] {
            rs = archivio.openRecordset(collegato ? "SELECT * FROM anagrafe WHERE codice = ?"
                                                   : "SELECT * FROM mpxanagrafe WHERE codice = ?",
                                         {CodiceCliente});
        }))
        return;

    if (rs->EOF_()) {
        dati.Indirizzo = dati.Cap = dati.Localita = dati.Provincia = dati.PartitaIva = dati.CodiceFiscale = "";
    } else if (collegato) {
        if (!proc.esegui([&] { dati.Indirizzo = IndirizzoContabile(*rs); })) return;
        if (!proc.esegui([&] { dati.Cap = Testo(*rs, "cap"); })) return;
        if (!proc.esegui([&] { dati.Localita = Testo(*rs, "citta"); })) return;
        if (!proc.esegui([&] { dati.Provincia = Testo(*rs, "provincia"); })) return;
        if (!proc.esegui([&] { dati.PartitaIva = Testo(*rs, "partitaiva"); })) return;
        if (!proc.esegui([&] { dati.CodiceFiscale = Testo(*rs, "codicefiscale"); })) return;
    } else {
        if (!proc.esegui([&] { dati.Indirizzo = Testo(*rs, "indirizzo"); })) return;
        if (!proc.esegui([&] { dati.Cap = Testo(*rs, "cap"); })) return;
        if (!proc.esegui([&] { dati.Localita = Testo(*rs, "localita"); })) return;
        if (!proc.esegui([&] { dati.Provincia = Testo(*rs, "provincia"); })) return;
        if (!proc.esegui([&] { dati.PartitaIva = PicfDiLunghezza(*rs, 11); })) return;
        if (!proc.esegui([&] { dati.CodiceFiscale = PicfDiLunghezza(*rs, 16); })) return;
    }
    dati.SoggettoIva = true;
    dati.MotivoEsenzione = "";
}

QString LetturaDescrizionePianoDeiConti(db::Database& archivio, const QString& DescrizioneConto) {
    if (!AmbienteLavoro().CollegatoContabilita) return {};

    Procedura proc(DescrizioneLetturaConto);
    std::unique_ptr<db::Recordset> rs;
    QString codice;
    if (!proc.essenziale([&] {
            rs = archivio.openRecordset(
                "SELECT * FROM pianodeiconti WHERE descrizione = ? AND codice NOT LIKE ? ESCAPE '\\'",
                {DescrizioneConto, db::likePattern("*.0000")});
        }))
        return codice;
    if (!rs->EOF_()) proc.esegui([&] { codice = rs->field("codice").textOr(QString()); });
    return codice;
}

QString LetturaPdC(db::Database& archivio, const QString& CodiceConto) {
    if (!AmbienteLavoro().CollegatoContabilita) return {};

    Procedura proc(DescrizioneLetturaPdC);
    std::unique_ptr<db::Recordset> rs;
    QString descrizione;
    if (!proc.essenziale([&] {
            rs = archivio.openRecordset("SELECT * FROM pianodeiconti WHERE codice = ?", {CodiceConto});
        }))
        return descrizione;
    if (!rs->EOF_()) {
        proc.esegui([&] { descrizione = rs->field("descrizione").textOr(QString()); });
        return descrizione;
    }
    ui::MessageService::show("inserire un codice esistente");
    return descrizione;
}
