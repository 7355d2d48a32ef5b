#include "invoice/engine/ContabilizzazioneDocumento.h"

#include <QHash>

#include "accounting/engine/CodicePdC.h"
#include "invoice/engine/Importi.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

constexpr int LarghezzaDescrizione = 100;

QString esteso(Currency importo) { return basic::Format(importo, MascheraImportoEsteso); }

// Adds `importo` to the row of account `conto` on side `segno`, or appends a row for it.
void Accredita(RigheRegistrazione& r, const QString& segno, const QString& conto, Currency importo) {
    size_t j = 0;
    while (j < r.Conti.size() && !(r.Conti[j] == conto && r.Segni[j] == segno)) ++j;
    if (j < r.Conti.size()) {
        r.Importi[j] += importo;
    } else {
        r.Segni.push_back(segno);
        r.Conti.push_back(conto);
        r.Importi.push_back(importo);
    }
    r.Ricavi += importo;
}

// Why the revenue account of a posted line cannot take its amount; "" when it can.
QString MotivoConto(db::Database& sessione, const QString& conto) {
    if (basic::Trim(conto).isEmpty() || conto == CodicePdCVuoto) return QStringLiteral("manca il conto ricavi");
    const bool sottoconto = !sessione
                                 .scalar("SELECT 1 FROM pianodeiconti WHERE codice = ? AND codice NOT LIKE '%.0000'",
                                         {conto})
                                 .isNull();
    return sottoconto ? QString() : "il conto ricavi " + conto + " non è un sottoconto del piano dei conti";
}

}  // namespace

bool ContabilizzazioneAmmessa(const DocumentoDaEmettere& d) {
    return d.Ambiente.CollegatoContabilita && !d.Parametri.RitenutaAcconto && !d.Parametri.AltreRitenute;
}

QString SegnoCliente(TipoDocumento tipo) { return tipo == TipoDocumento::NotaCredito ? "A" : "D"; }

QString SegnoRicavi(TipoDocumento tipo) { return tipo == TipoDocumento::NotaCredito ? "D" : "A"; }

RigheRegistrazione RigheClienteERicavi(const DocumentoDaEmettere& d, Currency totaleDocumento) {
    RigheRegistrazione r;
    r.Segni.push_back(SegnoCliente(d.Tipo));
    r.Conti.push_back(d.Fascola.CodiceCliente);
    r.Importi.push_back(totaleDocumento);
    const QString ricavi = SegnoRicavi(d.Tipo);
    for (const RigaFattura& riga : d.RigheFattura)
        if (!riga.Impofat.isZero()) Accredita(r, ricavi, riga.Ricavi, riga.Impofat);
    return r;
}

void AccreditaBollo(RigheRegistrazione& righe, TipoDocumento tipo, const QString& conto, Currency bollo) {
    Accredita(righe, SegnoRicavi(tipo), conto, bollo);
}

bool ServeRigaIva(const RigheRegistrazione& righe, Currency totaleDocumento) { return righe.Ricavi != totaleDocumento; }

void AggiungiRigaIva(RigheRegistrazione& righe, TipoDocumento tipo, const QString& contoIvaVendite,
                     Currency totaleDocumento) {
    righe.Segni.push_back(SegnoRicavi(tipo));
    righe.Conti.push_back(contoIvaVendite);
    righe.Importi.push_back(totaleDocumento - righe.Ricavi);
}

std::optional<RigaNonContabilizzabile> PrimaRigaNonContabilizzabile(db::Database& sessione,
                                                                   const DocumentoDaEmettere& d,
                                                                   const ImportiDocumento& importi) {
    QHash<QString, QString> motivoDelConto;  // each account is looked up once
    for (int i = 1; i <= d.RigheFattura.NumeroRighe(); ++i) {
        const RigaFattura& riga = d.RigheFattura.riga(i);
        RigaNonContabilizzabile r{i, {}};
        if (!riga.Impofat.isZero() || i == importi.Bollo.Riga) {
            auto motivo = motivoDelConto.constFind(riga.Ricavi);
            if (motivo == motivoDelConto.cend())
                motivo = motivoDelConto.insert(riga.Ricavi, MotivoConto(sessione, riga.Ricavi));
            if (!motivo->isEmpty()) r.Motivi << *motivo;
        }
        const GruppoIva* gruppo = importi.Riepilogo.gruppoDelCodice(riga.CodiceIva);
        if (gruppo && gruppo->CodiceSconosciuto) {
            const QString codice = basic::Trim(riga.CodiceIva);
            r.Motivi << (codice.isEmpty() ? QStringLiteral("manca il codice IVA")
                                          : "il codice IVA " + codice + " non è nell'archivio contabile");
        }
        if (!r.Motivi.isEmpty()) return r;
    }
    return std::nullopt;
}

QString DescrizioneRegistrazione(TipoDocumento tipo, const QString& numeroDocumento, const QString& nomeCliente) {
    QString testo;
    switch (tipo) {
    case TipoDocumento::Fattura: testo = "EMESSA FATTURA "; break;
    case TipoDocumento::NotaDebito: testo = "EMESSA NOTA DI DEBITO (var. in Aumento) "; break;
    case TipoDocumento::NotaCredito: testo = "EMESSA NOTA DI CREDITO (var. in Diminuizione) "; break;
    }
    return basic::Left(testo + "N. " + numeroDocumento + " A " + nomeCliente, LarghezzaDescrizione);
}

DatiRegistrazione RegistrazioneDocumento(const DocumentoDaEmettere& d, const RiepilogoIva& riepilogo,
                                         const RigheRegistrazione& righe, const QString& numeroDocumento,
                                         const QString& numeroRegistrazione) {
    DatiRegistrazione r;
    Currency totaleIvato;
    for (const GruppoIva& g : riepilogo.GruppiIva) {
        const Currency imponibile = basic::IsNumeric(g.Imponibile) ? ImportoRiletto(g.Imponibile) : Currency();
        r.CodiciIva.push_back(g.Codice);
        r.Imponibili.push_back(imponibile);
        r.Imposte.push_back(g.ImpostaValore);
        totaleIvato += imponibile + g.ImpostaValore;
    }
    r.Segni = righe.Segni;
    r.Conti = righe.Conti;
    r.Importi = righe.Importi;

    const QString& data = d.Parametri.DataFattura;
    r.Testata = {QString(),
                 "FASCOLA",
                 "C",
                 "S",
                 "EUR",
                 "1,00",
                 data,
                 numeroRegistrazione,
                 data,
                 d.Fascola.Npra,
                 "N",
                 DescrizioneRegistrazione(d.Tipo, numeroDocumento, d.Fascola.NomeCliente),
                 LetteraDocumento(d.Tipo),
                 d.Parametri.RegistroIva,
                 d.Fascola.CodiceCliente,
                 numeroDocumento,
                 esteso(totaleIvato),
                 "N",
                 QString::number(riepilogo.NumeroGruppiIva()),
                 QString::number(righe.Numero()),
                 "FASCOLA",
                 d.Ambiente.PathArchivioContabile,
                 "0",
                 "0",
                 "N",
                 "NO",
                 "0"};
    return r;
}

QString RiferimentoContabile(const QString& dataFattura, const QString& numeroRegistrazione) {
    return dataFattura + " - " + numeroRegistrazione;
}

QString ContoIvaVendite(db::Database& sessione) {
    const QString conto =
        basic::Trim(sessione.scalar("SELECT ContoIvaVendite FROM parametri ORDER BY rowid LIMIT 1").textOr(QString()));
    return conto == CodicePdCVuoto ? QString() : conto;
}
