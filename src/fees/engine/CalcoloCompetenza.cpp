#include "fees/engine/CalcoloCompetenza.h"

#include <cstdint>

#include "foundation/engine/Generale.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

namespace {

QString fmt(Currency valore) { return basic::Format(valore, MascheraImporto); }

void spento(QString& box, bool& attivo) {
    box = QStringLiteral("0,00");
    attivo = false;
}

}  // namespace

bool ImportoAmmesso(Currency importo) { return -ImportoMassimo <= importo && importo <= ImportoMassimo; }

LetturaImporto LetturaDiImporto(const QString& testo) {
    try {
        return ImportoAmmesso(ImportoDelBox(testo)) ? LetturaImporto::Ammesso : LetturaImporto::FuoriMisura;
    } catch (const db::DbError& e) {
        return e.number == 6 ? LetturaImporto::FuoriMisura : LetturaImporto::NonNumerico;
    }
}

LetturaImporto LetturaInCifre(const QString& testo) {
    return NumeroInCifre(testo) ? LetturaDiImporto(testo) : LetturaImporto::NonNumerico;
}

CasoCalcolo CasoDiCalcolo(const QString& calcolo, const QString& tipo) {
    if (tipo == tipo::Anticipazione) return CasoCalcolo::Anticipazione;
    if (tipo == tipo::Costo) {
        if (calcolo == calcolo::Percentuale) return CasoCalcolo::CostoPercentuale;
        if (calcolo == calcolo::Richiesta) return CasoCalcolo::CostoRichiesto;
    }
    if (tipo == tipo::Competenza) {
        if (calcolo == calcolo::Listino) return CasoCalcolo::Listino;
        if (calcolo == calcolo::Richiesta) return CasoCalcolo::ImportoRichiesto;
        if (calcolo == calcolo::ImportoUnitario) return CasoCalcolo::PrezzoUnitario;
        if (calcolo == calcolo::Percentuale) return CasoCalcolo::Percentuale;
    }
    return CasoCalcolo::Nessuno;
}

CampiImporto DefinizioneCalcolo(const ElementoDaFatturare& elemento, const std::optional<Currency>& prezzoCliente,
                                const Competenza* m, CampiImporto c) {
    const QString prezzo = fmt(prezzoCliente.value_or(elemento.importo));
    switch (CasoDiCalcolo(elemento.calcolo, elemento.tipo)) {
    case CasoCalcolo::Nessuno: return c;
    case CasoCalcolo::CostoPercentuale:
        c.LblCheCao = "Costo";
        c.LblFattore = "Percent";
        c.ImportoAttivo = c.FattoreAttivo = true;
        if (m) c.Importo = fmt(m->importo);
        c.Fattore = m ? m->fattore : prezzo;
        break;
    case CasoCalcolo::CostoRichiesto:
    case CasoCalcolo::Anticipazione:
        c.LblCheCao = elemento.tipo == tipo::Anticipazione ? "Anticipazione" : "Costo";
        c.LblFattore.clear();
        c.ImportoAttivo = true;
        if (m) c.Importo = fmt(m->importo);
        spento(c.Fattore, c.FattoreAttivo);
        break;
    case CasoCalcolo::Listino:
        c.LblCheCao.clear();
        c.LblFattore.clear();
        spento(c.Importo, c.ImportoAttivo);
        spento(c.Fattore, c.FattoreAttivo);
        if (!m) c.Impofatt = prezzo;
        break;
    case CasoCalcolo::ImportoRichiesto:
        c.LblCheCao.clear();
        c.LblFattore.clear();
        spento(c.Importo, c.ImportoAttivo);
        spento(c.Fattore, c.FattoreAttivo);
        c.Impofatt.clear();
        break;
    case CasoCalcolo::PrezzoUnitario:
        c.LblCheCao = "dir. unitario";
        c.LblFattore = "quantità";
        c.ImportoAttivo = c.FattoreAttivo = true;
        c.Importo = m ? fmt(m->addebitounitario) : prezzo;
        c.Fattore = m ? m->fattore : QStringLiteral("1");
        break;
    case CasoCalcolo::Percentuale:
        c.LblCheCao = "Base imponibile";
        c.LblFattore = "Percent";
        c.ImportoAttivo = c.FattoreAttivo = true;
        c.Importo = m ? fmt(m->importo) : QStringLiteral("1");
        c.Fattore = m ? m->fattore : prezzo;
        break;
    }
    if (m) c.Impofatt = fmt(m->impofat);
    return c;
}

std::optional<Currency> ProdottoDaFattore(CasoCalcolo caso, const QString& importo, const QString& fattore) {
    if (caso != CasoCalcolo::CostoPercentuale && caso != CasoCalcolo::Percentuale &&
        caso != CasoCalcolo::PrezzoUnitario)
        return std::nullopt;
    if (!NumeroInCifre(importo) || !NumeroInCifre(fattore)) return std::nullopt;
    const int64_t divisore = caso == CasoCalcolo::PrezzoUnitario ? 1 : 100;
    return Currency::productInCents(ImportoDelBox(importo), ImportoDelBox(fattore), divisore);
}

std::optional<QString> ImportoDaFattore(CasoCalcolo caso, const QString& importo, const QString& fattore) {
    if (caso == CasoCalcolo::Anticipazione) {
        if (importo.isEmpty()) return std::nullopt;
        return importo;
    }
    try {
        if (const auto prodotto = ProdottoDaFattore(caso, importo, fattore))
            return basic::Format(*prodotto, MascheraImportoEsteso);
    } catch (const db::DbError&) {
        // A product beyond range: the box keeps its text.
    }
    return std::nullopt;
}

ImportiRichiesti ImportiRichiestiPer(const QString& calcolo, const QString& tipo) {
    ImportiRichiesti r;
    if ((calcolo == calcolo::Richiesta && tipo == tipo::Costo) || tipo == tipo::Anticipazione) r.Fattore = false;
    if ((calcolo == calcolo::Richiesta || calcolo == calcolo::Listino) && tipo == tipo::Competenza)
        r.Importo = r.Fattore = false;
    return r;
}

OrigineCodicePagamento OrigineDelPagamento(bool inListino, bool pagamentoDelCliente, bool collegato) {
    if (inListino) return OrigineCodicePagamento::Listino;
    if (pagamentoDelCliente && collegato) return OrigineCodicePagamento::Anagrafe;
    return OrigineCodicePagamento::Catalogo;
}

DettaglioCompetenzaRec DettaglioDiDefault(const ElementoDaFatturare& e) {
    DettaglioCompetenzaRec d;
    d.apriDaFatturare(e.dare, e.avere, e.contofat);
    d.elemento = e.codice;
    d.DescrizioneElemento = e.descrizione;
    return d;
}

Competenza ValoriDaScrivere(const ElementoDaFatturare& e, const CampiCompetenza& campi,
                            const DettaglioCompetenzaRec& d) {
    const bool costo = e.tipo == tipo::Anticipazione || e.tipo == tipo::Costo;
    const bool unitario = e.calcolo == calcolo::ImportoUnitario;
    Competenza v;
    v.descrizione = campi.Descrizione;
    const std::optional<QDate> data = basic::ToDate(campi.Data);
    if (!data) throw db::err::typeMismatch();
    v.data = *data;
    if (costo) v.importo = ImportoDelBox(campi.Importo);
    v.impofat = ImportoDelBox(campi.Impofatt);
    v.primanota = d.primanota;
    v.darepn = d.darepn;
    v.averepn = d.averepn;
    v.idpn = d.idpn;
    v.fatturato = d.fatturato;
    v.ricavi = d.ricavi;
    v.idfattura = d.idfattura;
    v.spuntato = d.spuntato;
    v.pagamento = campi.Pagamento;
    if (unitario) v.addebitounitario = ImportoDelBox(campi.Importo);
    if (unitario || e.calcolo == calcolo::Percentuale) v.fattore = campi.Fattore;
    return v;
}
