#include "invoice/engine/ContabilizzazioneDocumento.h"

#include <QHash>
#include <algorithm>

#include "accounting/engine/CodicePdC.h"
#include "invoice/engine/CalcoloIva.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

constexpr int LarghezzaDescrizione = 100;

// Adds `importo` to the row of account `conto` on side `segno`, or appends a row for it.
void Accredita(RigheRegistrazione& r, const QString& segno, const QString& conto, Currency importo) {
    auto riga = std::find_if(r.Righe.begin(), r.Righe.end(),
                             [&](const RigaRegistrazione& x) { return x.Conto == conto && x.Segno == segno; });
    if (riga != r.Righe.end()) riga->Importo += importo;
    else r.Righe.push_back({segno, conto, importo});
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

// Why the VAT code of the group `gruppo` cannot be posted into the archive the session reaches;
// "" when it can. The tab composed the document on the archive linked then, which may not be
// the one posted into: the code must be there, at the rate the document's VAT was worked out at.
QString MotivoCodiceIva(db::Database& sessione, const GruppoIva& gruppo) {
    const QString codice = basic::Trim(gruppo.Codice);
    const AliquotaIva aliquota = AliquotaDellArchivio(sessione, codice);
    if (aliquota.Sconosciuto)
        return codice.isEmpty() ? QStringLiteral("manca il codice IVA")
                                : "il codice IVA " + codice + " non è nell'archivio contabile";
    if (gruppo.CodiceSconosciuto || aliquota.Percentuale != gruppo.Percentuale)
        return "il codice IVA " + codice + " nell'archivio contabile è al " + aliquota.TestoAliquota +
               "%, il documento è stato composto con un'altra aliquota: rifare la selezione";
    return {};
}

}  // namespace

bool ContabilizzazioneAmmessa(const DocumentoDaEmettere& d) {
    return d.Ambiente.CollegatoContabilita && !d.Parametri.RitenutaAcconto && !d.Parametri.AltreRitenute;
}

QString SegnoCliente(TipoDocumento tipo) { return tipo == TipoDocumento::NotaCredito ? "A" : "D"; }

QString SegnoRicavi(TipoDocumento tipo) { return tipo == TipoDocumento::NotaCredito ? "D" : "A"; }

RigheRegistrazione RigheClienteERicavi(const DocumentoDaEmettere& d, Currency totaleDocumento) {
    RigheRegistrazione r;
    r.Righe.push_back({SegnoCliente(d.Tipo), d.Fascola.CodiceCliente, totaleDocumento});
    const QString ricavi = SegnoRicavi(d.Tipo);
    for (const RigaFattura& riga : d.RigheFattura)
        if (!riga.impofat.isZero()) Accredita(r, ricavi, riga.ricavi, riga.impofat);
    return r;
}

void AccreditaBollo(RigheRegistrazione& righe, TipoDocumento tipo, const QString& conto, Currency bollo) {
    Accredita(righe, SegnoRicavi(tipo), conto, bollo);
}

bool ServeRigaIva(const RigheRegistrazione& righe, Currency totaleDocumento) { return righe.Ricavi != totaleDocumento; }

void AggiungiRigaIva(RigheRegistrazione& righe, TipoDocumento tipo, const QString& contoIvaVendite,
                     Currency totaleDocumento) {
    righe.Righe.push_back({SegnoRicavi(tipo), contoIvaVendite, totaleDocumento - righe.Ricavi});
}

std::optional<RigaNonContabilizzabile> PrimaRigaNonContabilizzabile(db::Database& sessione,
                                                                   const DocumentoDaEmettere& d,
                                                                   const ImportiDocumento& importi) {
    QHash<QString, QString> motivoDelConto;  // each account and VAT code is looked up once
    QHash<QString, QString> motivoDelCodice;
    for (int i = 1; i <= d.RigheFattura.NumeroRighe(); ++i) {
        const RigaFattura& riga = d.RigheFattura.riga(i);
        RigaNonContabilizzabile r{i, {}};
        if (!riga.impofat.isZero() || i == importi.Bollo.Riga) {
            auto motivo = motivoDelConto.constFind(riga.ricavi);
            if (motivo == motivoDelConto.cend())
                motivo = motivoDelConto.insert(riga.ricavi, MotivoConto(sessione, riga.ricavi));
            if (!motivo->isEmpty()) r.Motivi << *motivo;
        }
        if (const GruppoIva* gruppo = importi.Riepilogo.gruppoDelCodice(riga.CodiceIva)) {
            auto motivo = motivoDelCodice.constFind(gruppo->Codice);
            if (motivo == motivoDelCodice.cend())
                motivo = motivoDelCodice.insert(gruppo->Codice, MotivoCodiceIva(sessione, *gruppo));
            if (!motivo->isEmpty()) r.Motivi << *motivo;
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

Registrazione RegistrazioneDocumento(const DocumentoDaEmettere& d, const ImportiDocumento& importi,
                                     const RigheRegistrazione& righe, const QString& numeroDocumento,
                                     const QString& numeroRegistrazione) {
    Registrazione r;
    const ImpostaBollo& bollo = importi.Bollo;
    const QString codiceBollo = bollo.Riga > 0 ? d.RigheFattura.riga(bollo.Riga).CodiceIva : QString();
    Currency totaleIvato;
    for (const GruppoIva& g : importi.Riepilogo.GruppiIva) {
        const Currency imponibile = bollo.Riga > 0 && g.Codice == codiceBollo ? g.Imponibile + bollo.Importo
                                                                             : g.Imponibile;
        r.RigheIva.push_back({g.Codice, imponibile, g.Imposta});
        totaleIvato += imponibile + g.Imposta;
    }
    r.Righe = righe.Righe;

    TestataRegistrazione& t = r.Testata;
    t.Madre = QStringLiteral("FASCOLA");
    t.Tipo = QStringLiteral("C");
    t.ConIva = true;
    t.Valuta = QStringLiteral("EUR");
    t.Cambio = Currency::fromUnits(1);
    t.DataRegistrazione = d.Parametri.DataFattura;
    t.NumeroRegistrazione = numeroRegistrazione;
    t.DataDocumento = d.Parametri.DataFattura;
    t.Protocollo = d.Fascola.Npra;
    t.Competenza = false;
    t.Descrizione = DescrizioneRegistrazione(d.Tipo, numeroDocumento, d.Fascola.NomeCliente);
    t.TipoDocumentoIva = LetteraDocumento(d.Tipo);
    t.RegistroIva = d.Parametri.RegistroIva;
    t.ClienteFornitoreIva = d.Fascola.CodiceCliente;
    t.ProtocolloIva = numeroDocumento;
    t.TotaleIva = totaleIvato;
    t.CompetenzaIva = false;
    t.Programma = QStringLiteral("FASCOLA");
    t.PathArchivio = d.Ambiente.PathArchivioContabile;
    t.Appunti = false;
    t.Immagine = QStringLiteral("NO");
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
