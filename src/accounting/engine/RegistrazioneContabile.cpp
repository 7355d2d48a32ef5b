#include "accounting/engine/RegistrazioneContabile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "accounting/engine/NumeriRegistrazione.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Generale.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

// The whole number at the start of a text (0 when there is none), rounded to the nearest (half
// to even) as it is stored into a number column; beyond a 32-bit column it overflows.
int64_t ValoreNumerico(const QString& testo) {
    const double valore = std::nearbyint(basic::Val(testo));
    if (!(valore >= -2147483648.0 && valore <= 2147483647.0)) throw db::DbError(6, "Overflow.");
    return int64_t(valore);
}

// A line count of the header: a whole number from `minimo` to the lines the arrays hold;
// nothing for any other text (a fraction, a negative, a number beyond every array).
std::optional<int> Conteggio(const QString& testo, int minimo, size_t righe) {
    const double valore = basic::Val(testo);
    if (!(valore >= minimo) || valore > double(righe) || valore != std::floor(valore)) return std::nullopt;
    return int(valore);
}

// A date item as the archive stores it; a text that is no date is refused as the column
// would refuse it.
db::Value DataGiornale(const QString& testo) {
    const auto data = basic::ToDate(testo);
    if (!data) throw db::err::typeMismatch();
    return data->toString("yyyy-MM-dd");
}

// Whether a journal header of the day already carries the number.
bool NumeroUsato(db::Database& archivio, const QString& giorno, const QString& numero) {
    const auto data = basic::ToDate(giorno);
    return data && !archivio.scalar("SELECT 1 FROM giornale WHERE giorno = ? AND numero = ? LIMIT 1",
                                    {data->toString("yyyy-MM-dd"), ValoreNumerico(numero)})
                        .isNull();
}

// The number of item 7 is tested against the journal of its date until no header
// carries it; each replacement is a fresh reservation of that date. A reservation may come
// back equal to the number tested (a number used in the journal without ever being reserved):
// then it is tested again, so that a number of the journal is never posted a second time.
QString RinnovaNumero(Procedura& proc, db::Database& archivio, const std::array<QString, 27>& Testata) {
    QString numero = Testata[7];
    for (;;) {
        const QString controllato = ControlloNumeroRegistrazione(archivio, Testata[6], numero);
        if (basic::Val(controllato) < 1) return controllato;
        if (basic::Val(numero) == basic::Val(controllato)) {
            bool usato = true;
            if (!proc.essenziale([&] { usato = NumeroUsato(archivio, Testata[6], controllato); }))
                return NessunNumeroRegistrazione;
            if (!usato) return controllato;
        }
        numero = controllato;
    }
}

}  // namespace

int RegistrazioneContabile(db::Database& archivio, DatiRegistrazione& Dati) {
    auto& T = Dati.Testata;
    const bool conIva = T[3] == "S";

    // Counts that the arrays cannot honour are the caller's fault: nothing is reserved or
    // written for them.
    const auto righe = Conteggio(T[19], 1, std::min({Dati.Segni.size(), Dati.Conti.size(), Dati.Importi.size()}));
    const auto righeIva =
        conIva ? Conteggio(T[18], 0, std::min({Dati.CodiciIva.size(), Dati.Imponibili.size(), Dati.Imposte.size()}))
               : std::optional<int>(0);
    if (!righe || !righeIva) return RegistrazioneRigheNonValide;

    OperazioneIndivisibile registrazione;
    Procedura proc("Funzione di esecuzione della Registrazione contabile");
    std::optional<db::Transaction> scrittura;
    if (!proc.essenziale([&] { scrittura.emplace(archivio); })) return RegistrazioneAbbandonata;

    // The number is renewed inside the transaction: no other workstation can post it between
    // the check and the header, and the reservations made on the way go if the posting goes.
    const QString numeroUsato = RinnovaNumero(proc, archivio, T);
    if (registrazione.interrotta()) return RegistrazioneAbbandonata;
    const int64_t numero = int64_t(basic::Val(numeroUsato));
    if (numero < 1) return RegistrazioneSenzaNumero;

    db::Value giorno, dataDocumento;
    Currency cambio, totaleIva;
    if (!proc.esegui([&] { giorno = DataGiornale(T[6]); })) return RegistrazioneAbbandonata;
    if (!proc.esegui([&] { dataDocumento = DataGiornale(T[8]); })) return RegistrazioneAbbandonata;
    if (!proc.esegui([&] { cambio = ImportoDaTesto(T[5]); })) return RegistrazioneAbbandonata;
    if (conIva && !proc.esegui([&] { totaleIva = ImportoDaTesto(T[16]); })) return RegistrazioneAbbandonata;

    int64_t contatore = 0;
    if (!proc.esegui([&] {
            archivio.execute(
                "INSERT INTO giornale (giorno, numero, madre, tipo, iva, descrizione, datadocumento, protocollo, "
                "competenza, stampaiva, stampagio, appunti, immagine, valuta, cambio, clientefornitoreiva, "
                "registroiva, tipodocumentoiva, protocolloiva, linkivasospe, competenzaiva, totaleiva) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                {giorno, numero, T[1], T[2], conIva, T[11], dataDocumento, T[9], T[10] == "S",
                 ValoreNumerico(T[22]), ValoreNumerico(T[23]), T[24] == "S", T[25], T[4], cambio,
                 conIva ? T[14] : QString(), conIva ? T[13] : QString(), conIva ? T[12] : QString(),
                 conIva ? T[15] : QString(), conIva ? ValoreNumerico(T[26]) : 0, conIva && T[17] == "S",
                 conIva ? totaleIva : Currency()});
            // The VAT lines belong to this very row, whatever other header shares its date and number.
            contatore = archivio.scalar("SELECT contatore FROM giornale WHERE rowid = ?", {archivio.lastInsertId()}).toInt();
        }))
        return RegistrazioneAbbandonata;

    int avere = 0, dare = 0;
    for (int i = 0; i < *righe; ++i) {
        const QString& segno = Dati.Segni[size_t(i)];
        int& lato = segno == "A" ? avere : dare;
        if (!proc.esegui([&] {
                archivio.execute("INSERT INTO giornaledettaglio (giorno, numero, codice, importo, segno, costo, ordinale) "
                                 "VALUES (?, ?, ?, ?, ?, 0, ?)",
                                 {giorno, numero, Dati.Conti[size_t(i)], Dati.Importi[size_t(i)], segno, lato + 1});
            }))
            return RegistrazioneAbbandonata;
        ++lato;
    }

    for (int i = 0; i < *righeIva; ++i) {
        if (!proc.esegui([&] {
                archivio.execute("INSERT INTO ivadettaglio (linkgiornale, imponibile, imposta, codiceiva, ordinaleiva) "
                                 "VALUES (?, ?, ?, ?, ?)",
                                 {contatore, Dati.Imponibili[size_t(i)], Dati.Imposte[size_t(i)],
                                  Dati.CodiciIva[size_t(i)], i + 1});
            }))
            return RegistrazioneAbbandonata;
    }

    // A number that was never reserved is posted all the same: there is nothing to confirm.
    if (!proc.esegui([&] {
            archivio.execute("UPDATE giornalenumero SET confermato = 1 WHERE giorno = ? AND numero = ?",
                             {giorno, numero});
        }))
        return RegistrazioneAbbandonata;
    if (registrazione.interrotta()) return RegistrazioneAbbandonata;
    if (!proc.essenziale([&] { scrittura->commit(); })) return RegistrazioneAbbandonata;
    T[7] = numeroUsato;
    return RegistrazioneEseguita;
}

DatiRegistrazione DatiDellaRegistrazione(const Registrazione& r) {
    const TestataRegistrazione& t = r.Testata;
    const auto sn = [](bool si) { return si ? QStringLiteral("S") : QStringLiteral("N"); };
    const auto importo = [](Currency c) { return basic::Format(c, QStringLiteral("#,###,##0.00")); };
    DatiRegistrazione d;
    d.Testata = {QString(),
                 t.Madre,
                 t.Tipo,
                 sn(t.ConIva),
                 t.Valuta,
                 importo(t.Cambio),
                 t.DataRegistrazione,
                 t.NumeroRegistrazione,
                 t.DataDocumento,
                 t.Protocollo,
                 sn(t.Competenza),
                 t.Descrizione,
                 t.TipoDocumentoIva,
                 t.RegistroIva,
                 t.ClienteFornitoreIva,
                 t.ProtocolloIva,
                 importo(t.TotaleIva),
                 sn(t.CompetenzaIva),
                 QString::number(r.RigheIva.size()),
                 QString::number(r.Righe.size()),
                 t.Programma,
                 t.PathArchivio,
                 QString::number(t.StampaIva),
                 QString::number(t.StampaGiornale),
                 sn(t.Appunti),
                 t.Immagine,
                 QString::number(t.LinkIvaSospesa)};
    for (const RigaIvaRegistrazione& v : r.RigheIva) {
        d.CodiciIva.push_back(v.Codice);
        d.Imponibili.push_back(v.Imponibile);
        d.Imposte.push_back(v.Imposta);
    }
    for (const RigaRegistrazione& riga : r.Righe) {
        d.Segni.push_back(riga.Segno);
        d.Conti.push_back(riga.Conto);
        d.Importi.push_back(riga.Importo);
    }
    return d;
}

int RegistrazioneContabile(db::Database& archivio, Registrazione& registrazione) {
    DatiRegistrazione dati = DatiDellaRegistrazione(registrazione);
    const int esito = RegistrazioneContabile(archivio, dati);
    registrazione.Testata.NumeroRegistrazione = dati.Testata[7];
    return esito;
}
