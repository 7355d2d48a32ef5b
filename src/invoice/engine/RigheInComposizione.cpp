#include "invoice/engine/RigheInComposizione.h"

#include <algorithm>

#include "foundation/engine/ElencoCombo.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/Importi.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

constexpr const char* ColonneElemento =
    "SELECT codice, descrizione, calcolo, tipo, importo, iva, ivacee, contofat, dare, avere, pagamento, "
    "codicepagamento FROM elefat ";

QString testo(const db::Statement& st, int i) { return st.column(i).textOr(QString()); }

QString fmt(Currency valore) { return basic::Format(valore, MascheraImporto); }

// The amount as a plain number with the decimal comma and only the decimals it has.
QString semplice(Currency valore) { return QString::fromStdString(valore.toPlainString()).replace(u'.', u','); }

// A stored factor shown as an amount when it reads as one.
QString fattoreFormattato(const QString& fattore) {
    return basic::IsNumeric(fattore) ? fmt(basic::CCur(fattore)) : fattore;
}

Currency letto(const QString& testo) {
    QString copia = testo;
    return ImportoDaTesto(copia);
}

Currency prodotto(Currency a, Currency b) {
    const __int128 p = __int128(a.raw()) * b.raw();
    const __int128 limite = __int128(INT64_MAX) * Currency::Scale;
    if (p > limite || p < -limite) throw db::DbError(6, "Overflow", "Fascole");
    return a * b;
}

}  // namespace





std::optional<PrezzoCliente> PrezzoDiListino(db::Database& sessione, const QString& cliente, const QString& elemento) {
    db::Statement st(sessione, "SELECT importo, pagamento FROM elecli WHERE cliente = ? AND elemento = ?",
                     {cliente, elemento});
    if (!st.step()) return std::nullopt;
    return PrezzoCliente{st.column(0).currencyOr(), testo(st, 1)};
}

CasoCalcolo CasoDiCalcolo(const QString& calcolo, const QString& tipo) {
    if (tipo == "A") return CasoCalcolo::Anticipazione;
    if (tipo == "C") {
        if (calcolo == "P") return CasoCalcolo::CostoPercentuale;
        if (calcolo == "R") return CasoCalcolo::CostoRichiesto;
    }
    if (tipo == "X") {
        if (calcolo == "F") return CasoCalcolo::Listino;
        if (calcolo == "R") return CasoCalcolo::ImportoRichiesto;
        if (calcolo == "U") return CasoCalcolo::PrezzoUnitario;
        if (calcolo == "P") return CasoCalcolo::Percentuale;
    }
    return CasoCalcolo::Nessuno;
}

CampiImporto DefinizioneCalcolo(const ElementoDaFatturare& elemento, const std::optional<Currency>& prezzoCliente,
                                const RigaFattura* riga, CampiImporto c) {
    const QString prezzo = fmt(prezzoCliente.value_or(elemento.importo));
    const auto spento = [](QString& box, bool& attivo) {
        box = "0,00";
        attivo = false;
    };
    switch (CasoDiCalcolo(elemento.calcolo, elemento.tipo)) {
    case CasoCalcolo::Nessuno: break;
    case CasoCalcolo::CostoPercentuale:
        c.LblCheCao = "Costo";
        c.LblFattore = "Percent";
        c.ImportoAttivo = c.FattoreAttivo = true;
        if (riga) c.Importo = fmt(riga->Importo);
        c.Fattore = riga ? riga->Fattore : prezzo;
        if (riga) c.Impofatt = semplice(riga->Impofat);
        break;
    case CasoCalcolo::CostoRichiesto:
    case CasoCalcolo::Anticipazione:
        c.LblCheCao = elemento.tipo == "A" ? "Anticipazione" : "Costo";
        c.LblFattore.clear();
        c.ImportoAttivo = true;
        if (riga) c.Importo = fmt(riga->Importo);
        spento(c.Fattore, c.FattoreAttivo);
        if (riga) c.Impofatt = fmt(riga->Impofat);
        break;
    case CasoCalcolo::Listino:
        c.LblCheCao.clear();
        c.LblFattore.clear();
        spento(c.Importo, c.ImportoAttivo);
        spento(c.Fattore, c.FattoreAttivo);
        c.Impofatt = riga ? fmt(riga->Impofat) : prezzo;
        break;
    case CasoCalcolo::ImportoRichiesto:
        c.LblCheCao.clear();
        c.LblFattore.clear();
        spento(c.Importo, c.ImportoAttivo);
        spento(c.Fattore, c.FattoreAttivo);
        c.Impofatt = riga ? fmt(riga->Impofat) : QString();
        break;
    case CasoCalcolo::PrezzoUnitario:
        c.LblCheCao = "dir. unitario";
        c.LblFattore = "quantità";
        c.ImportoAttivo = c.FattoreAttivo = true;
        c.Importo = riga ? fmt(riga->AddebitoUnitario) : prezzo;
        c.Fattore = riga ? riga->Fattore : QStringLiteral("1");
        if (riga) c.Impofatt = semplice(riga->Impofat);
        break;
    case CasoCalcolo::Percentuale:
        c.LblCheCao = "Base imponibile";
        c.LblFattore = "Percent";
        c.ImportoAttivo = c.FattoreAttivo = true;
        c.Importo = riga ? fmt(riga->Importo) : QStringLiteral("1");
        c.Fattore = riga ? fattoreFormattato(riga->Fattore) : prezzo;
        if (riga) c.Impofatt = semplice(riga->Impofat);
        break;
    }
    return c;
}

std::optional<QString> ImportoDaFattore(CasoCalcolo caso, const QString& importo, const QString& fattore) {
    try {
        switch (caso) {
        case CasoCalcolo::CostoPercentuale:
        case CasoCalcolo::Percentuale:
            if (importo.isEmpty() || fattore.isEmpty()) return std::nullopt;
            return basic::Format(prodotto(letto(importo), letto(fattore)) / 100, MascheraImportoEsteso);
        case CasoCalcolo::Anticipazione:
            if (importo.isEmpty()) return std::nullopt;
            return importo;
        case CasoCalcolo::PrezzoUnitario:
            if (importo.isEmpty() || fattore.isEmpty()) return std::nullopt;
            return basic::Format(prodotto(letto(importo), letto(fattore)), MascheraImportoEsteso);
        default: return std::nullopt;
        }
    } catch (const db::DbError&) {
        // A text that reads as no amount, or a product beyond range: the box keeps its text.
        return std::nullopt;
    }
}

ImportiRichiesti ImportiRichiestiPer(const QString& calcolo, const QString& tipo) {
    ImportiRichiesti r;
    if ((calcolo == "R" && tipo == "C") || tipo == "A") r.Fattore = false;
    if ((calcolo == "R" || calcolo == "F") && tipo == "X") r.Importo = r.Fattore = false;
    return r;
}

EsitoVerificaRiga VerificaDatiFattura(db::Database& sessione, const CampiRiga& campi) {
    EsitoVerificaRiga esito;
    const auto errore = [&](const QString& messaggio, CampoRiga campo) {
        esito.Messaggio = messaggio;
        esito.Campo = campo;
        return esito;
    };
    if (campi.Elemento.isEmpty()) return errore(MessaggioMancaElemento, CampoRiga::Elemento);
    if (campi.Descrizione.isEmpty()) return errore(MessaggioMancaDescrizione, CampoRiga::Descrizione);

    Procedura proc("Funzione di verifica dati form fattura");
    std::optional<ElementoDaFatturare> elemento;
    if (!proc.essenziale([&] { elemento = ElementoPerCodice(sessione, campi.Elemento); })) return esito;
    if (!elemento) return errore(MessaggioElementoInesistente, CampoRiga::Elemento);
    esito.Calcolo = elemento->calcolo;

    const ImportiRichiesti richiesti = ImportiRichiestiPer(elemento->calcolo, elemento->tipo);
    if (richiesti.Importo && campi.Importo.isEmpty()) return errore(MessaggioMancaImporto, CampoRiga::Importo);
    if (richiesti.Fattore && campi.Fattore.isEmpty()) return errore(MessaggioMancaFattore, CampoRiga::Fattore);
    esito.Valida = true;
    return esito;
}

namespace {

// The amounts, accounts, payment and VAT that insertion and correction both take from the
// fields; the key, the date and the kind are the caller's.
void compila(RigaFattura& r, const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso, const QString& calcolo) {
    const QString modo = calcolo.isEmpty() ? QStringLiteral("U") : calcolo;
    const Currency importo = letto(campi.Importo);
    const Currency impofat = letto(campi.Impofatt);
    r.Descrizione = campi.Descrizione;
    r.Importo = importo;
    r.Impofat = impofat;
    r.Primanota = false;
    r.Darepn = inCorso.DarePn;
    r.Averepn = inCorso.AverePn;
    r.Idpn.clear();
    r.Fatturato = false;
    r.Ricavi = inCorso.Ricavi;
    r.Idfattura.clear();
    r.Spuntato = false;
    r.Pagamento = inCorso.Pagamento;
    r.CodiceIva = inCorso.CodiceIva;
    r.IvaBloccata = inCorso.IvaBloccata;
    r.AddebitoUnitario = modo == "U" ? importo : Currency();
    r.Fattore = modo == "P" || modo == "U" ? campi.Fattore : QString();
}

}  // namespace

RigaFattura NuovaRigaFattura(const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso, const QString& cliente,
                             const QString& npra, const QString& calcolo, const QDate& oggi) {
    RigaFattura r;
    r.Cliente = cliente;
    r.Npra = npra;
    r.Ntask = inCorso.Ntask;
    r.Njob = inCorso.Njob;
    r.Elemento = campi.Elemento;
    r.Data = oggi;
    compila(r, campi, inCorso, calcolo);
    return r;
}

void CorreggiRigaFattura(RigaFattura& riga, const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso,
                         const QString& calcolo) {
    RigaFattura corretta = riga;
    compila(corretta, campi, inCorso, calcolo);
    riga = std::move(corretta);
}

int PosizioneInserimento(QChar modo, int rigaSelezionata, int numeroRighe) {
    int p = 0;
    if (modo == u'I') p = 1;
    else if (modo == u'P') p = rigaSelezionata;
    else if (modo == u'D') p = rigaSelezionata + 1;
    else if (modo == u'F') p = numeroRighe;
    return std::clamp(p, 1, std::max(numeroRighe, 1));
}

EsitoDefault DefinizioneDefaultFattura(db::Database& sessione, SceltaElemento scelta, const QString& testoScelto,
                                       const QString& cliente, bool collegato, const FatturaInComposizioneRec& fattura) {
    EsitoDefault esito;
    Procedura proc("Funzione di definizione default fattura");
    std::optional<ElementoDaFatturare> elemento;
    if (!proc.essenziale([&] {
            elemento = scelta == SceltaElemento::PerCodice ? ElementoPerCodice(sessione, testoScelto)
                                                           : ElementoPerDescrizione(sessione, testoScelto);
        }))
        return esito;
    if (!elemento) {
        esito.ElementoInesistente = true;
        return esito;
    }

    DefaultRigaFattura d;
    d.Elemento = *elemento;
    if (!proc.essenziale([&] { d.Listino = PrezzoDiListino(sessione, cliente, elemento->codice); })) return esito;

    if (d.Listino) {
        d.Pagamento = d.Listino->Pagamento;
    } else if (collegato && elemento->pagamento) {
        if (!proc.essenziale([&] {
                db::Statement st(sessione, "SELECT codicepagamento FROM anagrafe WHERE codice = ?", {cliente});
                // A client missing from the accounting registry: the old default text.
                d.Pagamento = st.step() ? testo(st, 0) : QStringLiteral("0,00");
            }))
            return esito;
    } else {
        d.Pagamento = elemento->codicepagamento;
    }
    d.DarePn = elemento->dare;
    d.AverePn = elemento->avere;
    d.Ricavi = elemento->contofat;
    if (const int i = fattura.RigaSelezionata()) {
        d.Ntask = fattura.RigheFattura.riga(i).Ntask;
        d.Njob = fattura.RigheFattura.riga(i).Njob;
    } else {
        d.Ntask = d.Njob = QStringLiteral("0000");
    }
    d.CodiceIva = elemento->iva;
    esito.Default = std::move(d);
    return esito;
}
