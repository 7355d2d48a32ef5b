#include "invoice/engine/RigheInComposizione.h"

#include <algorithm>

#include "foundation/engine/Generale.h"
#include "invoice/engine/Importi.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

namespace {

QString fmt(Currency valore) { return basic::Format(valore, MascheraImporto); }

// The amount as a plain number with the decimal comma and only the decimals it has.
QString semplice(Currency valore) { return QString::fromStdString(valore.toPlainString()).replace(u'.', u','); }

// A stored factor shown as an amount when it is a number in figures, read as it was typed
// ("12.50" is twelve and a half); any other text as it stands.
QString fattoreFormattato(const QString& fattore) {
    const std::optional<Currency> valore = ValoreInCifre(fattore);
    return valore ? fmt(*valore) : fattore;
}

}  // namespace

CampiImporto DefinizioneCalcoloRiga(const ElementoDaFatturare& elemento, const RigaFattura& riga, CampiImporto c) {
    const CasoCalcolo caso = CasoDiCalcolo(elemento.calcolo, elemento.tipo);
    c = DefinizioneCalcolo(elemento, std::nullopt, &riga, c);
    switch (caso) {
    case CasoCalcolo::Percentuale:
        c.Fattore = fattoreFormattato(riga.fattore);
        [[fallthrough]];
    case CasoCalcolo::CostoPercentuale:
    case CasoCalcolo::PrezzoUnitario: c.Impofatt = semplice(riga.impofat); break;
    default: break;
    }
    return c;
}

EsitoVerificaRiga VerificaDatiFattura(db::Database& sessione, const CampiRiga& campi,
                                      const ElementoDaFatturare* mostrato, ScopoVoce scopo) {
    CampiCompetenza daVerificare;
    daVerificare.Elemento = campi.Elemento;
    daVerificare.Descrizione = campi.Descrizione;
    daVerificare.Importo = campi.Importo;
    daVerificare.Fattore = campi.Fattore;
    const EsitoVerifica verifica =
        VerificaElementoEImporti(sessione, daVerificare, mostrato, scopo, QStringLiteral("ANNULLA"),
                                 QStringLiteral("Funzione di verifica dati form fattura"));
    EsitoVerificaRiga esito;
    esito.Valida = verifica.Valida;
    esito.Messaggio = verifica.Messaggio;
    switch (verifica.Campo) {
    case CampoCompetenza::Descrizione: esito.Campo = CampoRiga::Descrizione; break;
    case CampoCompetenza::Importo: esito.Campo = CampoRiga::Importo; break;
    case CampoCompetenza::Fattore: esito.Campo = CampoRiga::Fattore; break;
    default: esito.Campo = CampoRiga::Elemento; break;
    }
    if (verifica.Elemento) esito.Calcolo = verifica.Elemento->calcolo;
    if (esito.Valida && !campi.Impofatt.isEmpty() && LetturaInCifre(campi.Impofatt) == LetturaImporto::NonNumerico) {
        esito.Valida = false;
        esito.Messaggio = MessaggioImpofattNonImporto;
        esito.Campo = CampoRiga::Impofatt;
    }
    return esito;
}

std::optional<QString> VerificaTotaleFattura(const TabellaRigheFattura& righe, const QString& impofatt,
                                             int sostituita) {
    switch (LetturaDiImporto(impofatt)) {
    case LetturaImporto::NonNumerico: return std::nullopt;
    case LetturaImporto::FuoriMisura: return MessaggioImportoFuoriMisura;
    case LetturaImporto::Ammesso: break;
    }
    const auto senzaSegno = [](Currency c) { return c < Currency() ? -c : c; };
    try {
        // The line enters the document at the cent, as the others did.
        Currency somma = senzaSegno(ImportoRigaDocumento(ImportoDelBox(impofatt)));
        for (int i = 1; i <= righe.NumeroRighe(); ++i)
            if (i != sostituita) somma += senzaSegno(righe.riga(i).impofat);
        if (ImportoAmmesso(somma)) return std::nullopt;
    } catch (const db::DbError&) {
        // The sum itself is beyond the range.
    }
    return MessaggioTotaleFuoriMisura;
}

namespace {

// The amounts, accounts, payment and VAT that insertion and correction both take from the
// fields; the key, the date and the kind are the caller's.
void compila(RigaFattura& r, const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso, const QString& calcolo) {
    const QString modo = calcolo.isEmpty() ? QStringLiteral("U") : calcolo;
    const Currency importo = ImportoDelBox(campi.Importo);
    const Currency impofat = ImportoDelBox(campi.Impofatt);
    r.descrizione = campi.Descrizione;
    r.importo = importo;
    r.impofat = ImportoRigaDocumento(impofat);
    r.apriDaFatturare(inCorso.DarePn, inCorso.AverePn, inCorso.Ricavi);
    r.pagamento = inCorso.Pagamento;
    r.CodiceIva = inCorso.CodiceIva;
    r.IvaBloccata = inCorso.IvaBloccata;
    r.addebitounitario = modo == "U" ? importo : Currency();
    r.fattore = modo == "P" || modo == "U" ? campi.Fattore : QString();
}

}  // namespace

RigaFattura NuovaRigaFattura(const CampiRiga& campi, const RigaFatturaInCorsoRec& inCorso, const QString& cliente,
                             const QString& npra, const QString& calcolo, const QDate& oggi) {
    RigaFattura r;
    r.cliente = cliente;
    r.npra = npra;
    r.ntask = inCorso.Ntask;
    r.njob = inCorso.Njob;
    r.elemento = campi.Elemento;
    r.data = oggi;
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
    // A client missing from the accounting registry: the invoice proposes "0,00" as payment.
    const EsitoElementoProposto proposta = PropostaElemento(sessione, scelta, testoScelto, cliente, collegato,
                                                      QStringLiteral("Funzione di definizione default fattura"),
                                                      QStringLiteral("0,00"));
    EsitoDefault esito;
    esito.ElementoInesistente = proposta.ElementoInesistente;
    if (!proposta.Proposta) return esito;

    const ElementoDaFatturare& e = proposta.Proposta->Elemento;
    QString ntask = QStringLiteral("0000");
    QString njob = ntask;
    if (const int i = fattura.RigaSelezionata()) {
        ntask = fattura.RigheFattura.riga(i).ntask;
        njob = fattura.RigheFattura.riga(i).njob;
    }
    esito.Default = DefaultRigaFattura{*proposta.Proposta, e.dare, e.avere, e.contofat, ntask, njob, e.iva};
    return esito;
}
