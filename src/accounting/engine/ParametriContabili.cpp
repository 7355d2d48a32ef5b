#include "accounting/engine/ParametriContabili.h"

#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Ambiente.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"

namespace {

using Rec = ParametriContabiliRec;

ParametriContabiliRec gParametriContabili;

// Conversion of a column to its field's type: Null and text that is no number raise errors 94
// and 13; whole numbers out of the field's range overflow.
template <class Intero>
Intero intero(const db::Value& v) {
    const int64_t n = v.toInt();
    if (n < std::numeric_limits<Intero>::min() || n > std::numeric_limits<Intero>::max())
        throw db::DbError(6, "Overflow.");
    return Intero(n);
}

void converti(const db::Value& v, QString& campo) { campo = v.toText<QString>(); }
void converti(const db::Value& v, bool& campo) { campo = v.toBool(); }
void converti(const db::Value& v, int16_t& campo) { campo = intero<int16_t>(v); }
void converti(const db::Value& v, int32_t& campo) { campo = intero<int32_t>(v); }
void converti(const db::Value& v, float& campo) { campo = float(v.toDouble()); }
void converti(const db::Value& v, Currency& campo) { campo = v.toCurrency(); }

struct Campo {
    const char* colonna;
    std::function<void(Rec&, const db::Value&)> leggi;
    std::function<db::Value(const Rec&)> valore;
    bool scritto;
};

// A column that this program does not write is the package's to fill: until it does, its
// Null reads as zero rather than as an error at every start-up.
template <class T>
Campo campo(const char* colonna, T Rec::*membro, bool scritto = true) {
    return {colonna,
            [membro, scritto](Rec& r, const db::Value& v) {
                if (!scritto && v.isNull()) r.*membro = T{};
                else converti(v, r.*membro);
            },
            [membro](const Rec& r) { return db::Value(r.*membro); }, scritto};
}

// The columns of `parametri` in the order in which they are read and written.
const std::vector<Campo>& Campi() {
    static const std::vector<Campo> campi = {
        campo("Autocausale", &Rec::Autocausale),
        campo("meseinizioesercizio", &Rec::meseinizioesercizio),
        campo("Esercizio", &Rec::Esercizio),
        campo("NumeraAcquisti", &Rec::NumeraAcquisti),
        campo("NumeraVendite", &Rec::NumeraVendite),
        campo("PeriodicitàDichiarazioneIva", &Rec::PeriodicitaDichiarazioneIva),
        campo("codiceivadefault", &Rec::codiceivadefault),
        campo("protocollo", &Rec::protocollo),
        campo("ContoCassa", &Rec::ContoCassa),
        campo("ContoIvaDetraibile", &Rec::ContoIvaDetraibile),
        campo("ContoIvaIndetraibile", &Rec::ContoIvaIndetraibile),
        campo("ContoIvaVendite", &Rec::ContoIvaVendite),
        campo("contoivasospesa", &Rec::contoivasospesa),
        campo("ContoRicavi", &Rec::ContoRicavi),
        campo("ContoCosti", &Rec::ContoCosti),
        campo("ivamora", &Rec::ivamora),
        campo("interessemora", &Rec::interessemora),
        campo("ventilazione", &Rec::ventilazione),
        campo("ventilazioneregistro", &Rec::ventilazioneregistro),
        campo("corrispeventi", &Rec::corrispeventi),
        campo("Centridicosto", &Rec::Centridicosto),
        campo("attivastoria", &Rec::attivastoria),
        campo("fattpag", &Rec::fattpag),
        campo("fattpagabbuoniattivi", &Rec::fattpagabbuoniattivi),
        campo("fattpagabbuonipassivi", &Rec::fattpagabbuonipassivi),
        campo("commesse", &Rec::commesse),
        campo("prorata", &Rec::prorata),
        campo("proratapercentuale", &Rec::proratapercentuale),
        campo("plafond", &Rec::plafond),
        campo("PlafondImporto", &Rec::PlafondImporto),
        campo("semplificata", &Rec::semplificata),
        campo("modofunzicorrispe", &Rec::modofunzicorrispe),
        campo("regimeiva", &Rec::regimeiva),
        campo("ivaforfait", &Rec::ivaforfait),
        campo("agenziaviaggio", &Rec::agenziaviaggio),
        campo("aliquotascorporoagevi", &Rec::aliquotascorporoagevi),
        campo("venditaUsato", &Rec::venditaUsato),
        campo("editoria", &Rec::editoria),
        campo("Agricoltura", &Rec::Agricoltura),
        campo("agriturismo", &Rec::agriturismo),
        campo("professionisti", &Rec::professionisti),
        campo("sogliaIva", &Rec::sogliaIva),
        campo("ContoEconomico", &Rec::ContoEconomico),
        campo("UtileEsercizio", &Rec::UtileEsercizio),
        campo("PerditaEsercizio", &Rec::PerditaEsercizio),
        campo("StatoPatrimonialeA", &Rec::StatoPatrimonialeA),
        campo("StatoPatrimonialeC", &Rec::StatoPatrimonialeC),
        campo("StampanteGrafica", &Rec::StampanteGrafica),
        campo("stampanteaghi", &Rec::stampanteaghi),
        campo("Emulazione", &Rec::Emulazione),
        campo("CartellaImmagini", &Rec::CartellaImmagini),
        campo("ControlloDuplicazione", &Rec::ControlloDuplicazione),
        campo("numerorigagiornale", &Rec::numerorigagiornale, false),
        campo("totaleariportare", &Rec::totaleariportare, false),
    };
    return campi;
}

}  // namespace

ParametriContabiliRec& ParametriContabili() { return gParametriContabili; }

void LetturaParametri(db::Database& archivio) {
    Procedura proc("Lettura dei parametri");
    std::unique_ptr<db::Recordset> rs;
    if (!proc.essenziale([&] { rs = archivio.openRecordset("SELECT * FROM parametri"); })) return;

    if (rs->EOF_()) {
        rs.reset();
        DefinizioneDefaultParametri(archivio);
        return;
    }
    for (const Campo& c : Campi())
        if (!proc.esegui([&] { c.leggi(gParametriContabili, rs->field(c.colonna)); })) return;
}

void DefinizioneDefaultParametri(db::Database& archivio) {
    const QString& path = AmbienteLavoro().PathArchivioContabile;
    ParametriContabiliRec predefiniti;
    predefiniti.Esercizio = basic::Left(basic::Right(path, 8), 4);
    predefiniti.numerorigagiornale = gParametriContabili.numerorigagiornale;
    predefiniti.totaleariportare = gParametriContabili.totaleariportare;
    gParametriContabili = predefiniti;

    Procedura proc("Definizione default dei parametri");
    std::unique_ptr<db::Recordset> rs;
    if (!proc.essenziale([&] { rs = archivio.openForAppend("parametri"); })) return;
    if (!proc.essenziale([&] { rs->AddNew(); })) return;
    for (const Campo& c : Campi())
        if (c.scritto && !proc.esegui([&] { rs->setField(c.colonna, c.valore(gParametriContabili)); })) return;
    proc.esegui([&] { rs->Update(); });
}

EsercizioContabile LetturaEsercizioContabile(db::Database& archivio) {
    EsercizioContabile e;
    db::Statement riga(archivio, "SELECT Esercizio, meseinizioesercizio FROM parametri ORDER BY rowid LIMIT 1");
    if (!riga.step()) return e;
    e.Esercizio = basic::Trim(riga.column(0).textOr(QString()));
    e.MeseInizio = basic::Trim(riga.column(1).textOr(QString()));
    if (e.Esercizio.size() != 4 || !SoloCifre(e.Esercizio) || !SoloCifre(e.MeseInizio) || e.MeseInizio.size() > 2)
        return e;
    const int mese = e.MeseInizio.toInt();
    if (mese < 1 || mese > 12) return e;
    e.Inizio = QDate(e.Esercizio.toInt(), mese, 1);
    e.Fine = e.Inizio.addMonths(12).addDays(-1);
    return e;
}
