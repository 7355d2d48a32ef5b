#include "accounting/engine/NumerazioneDocumenti.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>

#include "foundation/engine/Procedura.h"
#include "foundation/engine/Ambiente.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"

namespace {

void ErroreChiamata(const QString& testo) {
    ui::MessageService::show(testo, {}, ui::Buttons::Ok, ui::Icon::Critical);
}

// The counter that numbers a note under the register's criterion; nullptr when the
// criterion gives the note none. The criterion is a one-character text holding 1, 2 or 3.
const char* ContatoreNota(const QString& TipoDocumento, const QString& criterio) {
    const QString c = basic::Trim(criterio);
    if (!basic::IsNumeric(c)) return nullptr;
    switch (int(basic::Val(c))) {
    case 1: return "numerofattura";
    case 2: return "numerovariazioneaum";
    case 3: return TipoDocumento == "E" ? "numerovariazioneaum" : "numerovariazionedim";
    default: return nullptr;
    }
}

}  // namespace

QString NumeroFattura(db::Database& archivio, const QString& TipoDocumento) {
    Procedura proc("Funzione di determinazione numero fattura");
    const QString registro = ParametriFattura().RegistroIva;

    std::optional<db::Transaction> scrittura;
    std::unique_ptr<db::Recordset> rs;
    // The archive is let go before any message, so that nobody waits on it meanwhile.
    auto chiudi = [&] {
        rs.reset();
        scrittura.reset();
    };

    if (!proc.essenziale([&] { scrittura.emplace(archivio); })) return {};
    if (!proc.essenziale([&] { rs = archivio.openRecordset("SELECT * FROM ivaregistri WHERE codice = ?", {registro}); }))
        return {};

    if (rs->EOF_()) {
        chiudi();
        ErroreChiamata("Errore chiamata a <NumeroFattura>. Specificato un registro iva inesistente (" + registro + ")");
        return {};
    }

    const char* contatore = nullptr;
    if (TipoDocumento == "F") {
        contatore = "numerofattura";
    } else if (TipoDocumento == "E" || TipoDocumento == "H") {
        QString criterio;
        if (!proc.essenziale([&] { criterio = rs->field("criterionumerazioni").textOr(QString()); })) return {};
        contatore = ContatoreNota(TipoDocumento, criterio);
        if (!contatore) return {};
    } else {
        chiudi();
        ErroreChiamata("Errore chiamata a <NumeroFattura>. Specificato un documento iva inesistente (" +
                       TipoDocumento + ")");
        return {};
    }

    int64_t numero = 0;
    if (!proc.essenziale([&] {
            numero = rs->field(contatore).toInt() + 1;
            if (numero > std::numeric_limits<int32_t>::max()) throw db::DbError(6, "Overflow.", "Fascole");
        }))
        return {};

    // A suffix that cannot be read leaves the number without one, if the user goes on.
    QString suffisso;
    if (!proc.esegui([&] { suffisso = rs->field("suffisso").textOr(QString()); })) return {};

    if (!proc.essenziale([&] {
            rs->Edit();
            rs->setField(contatore, numero);
            rs->Update();
        }))
        return {};
    if (!proc.essenziale([&] { scrittura->commit(); })) return {};

    QString risultato = QString::number(numero);
    if (!suffisso.isEmpty()) risultato += " " + suffisso;
    return risultato;
}
