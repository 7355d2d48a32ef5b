#include "fees/engine/DefaultCompetenza.h"

#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

std::optional<PrezzoCliente> PrezzoDiListino(db::Database& sessione, const QString& cliente, const QString& elemento) {
    db::Statement st(sessione, "SELECT importo, pagamento FROM elecli WHERE cliente = ? AND elemento = ?",
                     {cliente, elemento});
    if (!st.step()) return std::nullopt;
    return PrezzoCliente{st.column(0).currencyOr(), st.column(1).textOr(QString())};
}

std::optional<QString> PagamentoInAnagrafe(db::Database& sessione, const QString& cliente) {
    db::Statement st(sessione, "SELECT codicepagamento FROM anagrafe WHERE codice = ?", {cliente});
    if (!st.step()) return std::nullopt;
    return st.column(0).textOr(QString());
}

EsitoElementoProposto PropostaElemento(db::Database& sessione, SceltaElemento scelta, const QString& testo,
                                       const QString& cliente, bool collegato, const QString& descrizioneErrori,
                                       const QString& fuoriAnagrafe) {
    EsitoElementoProposto esito;
    Procedura proc(descrizioneErrori);
    std::optional<ElementoDaFatturare> elemento;
    if (!proc.essenziale([&] {
            elemento = scelta == SceltaElemento::PerCodice ? ElementoPerCodice(sessione, testo)
                                                           : ElementoPerDescrizione(sessione, testo);
        }))
        return esito;
    if (!elemento) {
        esito.ElementoInesistente = true;
        return esito;
    }

    ElementoProposto p;
    p.Elemento = *elemento;
    if (!proc.essenziale([&] { p.Listino = PrezzoDiListino(sessione, cliente, elemento->codice); })) return esito;
    switch (OrigineDelPagamento(p.Listino.has_value(), elemento->pagamento, collegato)) {
    case OrigineCodicePagamento::Listino: p.Pagamento = p.Listino->Pagamento; break;
    case OrigineCodicePagamento::Anagrafe:
        if (!proc.essenziale([&] { p.Pagamento = PagamentoInAnagrafe(sessione, cliente).value_or(fuoriAnagrafe); }))
            return esito;
        break;
    case OrigineCodicePagamento::Catalogo: p.Pagamento = elemento->codicepagamento; break;
    }
    esito.Proposta = std::move(p);
    return esito;
}

EsitoDefaultCompetenza DefinizioneDefault(db::Database& sessione, SceltaElemento scelta, const QString& testo,
                                          const QString& cliente, bool collegato) {
    // A client missing from the accounting registry: immediate payment.
    EsitoElementoProposto proposta = PropostaElemento(sessione, scelta, testo, cliente, collegato,
                                                      QStringLiteral("Funzione di definizione dei default"),
                                                      QStringLiteral("0"));
    EsitoDefaultCompetenza esito;
    esito.ElementoInesistente = proposta.ElementoInesistente;
    if (!proposta.Proposta) return esito;
    DettaglioCompetenzaRec dettaglio = DettaglioDiDefault(proposta.Proposta->Elemento);
    esito.Default = DefaultCompetenza{std::move(*proposta.Proposta), std::move(dettaglio)};
    return esito;
}

QString MessaggioImportoNonImporto(const QString& didascalia) {
    return QStringLiteral("Bisogna definire in cifre l'importo nel campo %1").arg(didascalia).trimmed();
}

QString MessaggioFattoreNonNumero(const QString& didascalia) {
    return QStringLiteral("Bisogna definire in cifre il fattore nel campo %1").arg(didascalia).trimmed();
}

EsitoVerifica VerificaElementoEImporti(db::Database& sessione, const CampiCompetenza& campi,
                                       const ElementoDaFatturare* mostrato, ScopoVoce scopo,
                                       const QString& pulisci, const QString& descrizioneErrori) {
    EsitoVerifica esito;
    const auto errore = [&](const QString& messaggio, CampoCompetenza campo) {
        esito.Valida = false;
        esito.Messaggio = messaggio;
        esito.Campo = campo;
        return esito;
    };
    if (campi.Elemento.isEmpty()) return errore(MessaggioMancaElemento, CampoCompetenza::Elemento);
    if (campi.Descrizione.isEmpty()) return errore(MessaggioMancaDescrizione, CampoCompetenza::Descrizione);

    Procedura proc(descrizioneErrori);
    EsitoElementoDellaVoce voce;
    if (!proc.essenziale([&] { voce = ElementoDellaVoce(sessione, campi.Elemento, mostrato, scopo); })) return esito;
    if (voce.AltroElemento)
        return errore(MessaggioElementoCambiato(campi.Elemento, mostrato->codice, pulisci),
                      CampoCompetenza::Elemento);
    const std::optional<ElementoDaFatturare>& elemento = voce.Elemento;
    if (!elemento) return errore(MessaggioElementoInesistente, CampoCompetenza::Elemento);
    esito.Elemento = elemento;

    const ImportiRichiesti richiesti = ImportiRichiestiPer(elemento->calcolo, elemento->tipo);
    // The boxes named as the tab names them for this element.
    const CampiImporto didascalie = DefinizioneCalcolo(*elemento, std::nullopt, nullptr, {});
    if (richiesti.Importo) {
        if (campi.Importo.isEmpty()) return errore(MessaggioMancaImporto, CampoCompetenza::Importo);
        const LetturaImporto lettura = LetturaInCifre(campi.Importo);
        if (lettura == LetturaImporto::NonNumerico)
            return errore(MessaggioImportoNonImporto(didascalie.LblCheCao), CampoCompetenza::Importo);
        if (lettura == LetturaImporto::FuoriMisura) return errore(MessaggioImportoFuoriMisura, CampoCompetenza::Importo);
    }
    if (richiesti.Fattore) {
        if (campi.Fattore.isEmpty()) return errore(MessaggioMancaFattore, CampoCompetenza::Fattore);
        if (!NumeroInCifre(campi.Fattore))
            return errore(MessaggioFattoreNonNumero(didascalie.LblFattore), CampoCompetenza::Fattore);
        try {
            ProdottoDaFattore(CasoDiCalcolo(elemento->calcolo, elemento->tipo), campi.Importo, campi.Fattore);
        } catch (const db::DbError&) {
            // A product beyond the range of money: no amount to invoice could be worked out of
            // this factor, and the box may still hold one worked out of the one before.
            return errore(MessaggioImportoFuoriMisura, CampoCompetenza::Fattore);
        }
    }
    esito.Valida = true;
    return esito;
}

EsitoVerifica VerificaCoerenzaDati(db::Database& sessione, const CampiCompetenza& campi,
                                   const ElementoDaFatturare* mostrato, ScopoVoce scopo) {
    EsitoVerifica esito = VerificaElementoEImporti(sessione, campi, mostrato, scopo, QStringLiteral("VUOTA"),
                                                   QStringLiteral("Funzione di verifica coerenza dati inseriti"));
    if (!esito.Valida) return esito;
    const auto errore = [&](const QString& messaggio, CampoCompetenza campo) {
        esito.Valida = false;
        esito.Messaggio = messaggio;
        esito.Campo = campo;
        return esito;
    };
    if (campi.Impofatt.isEmpty()) return errore(MessaggioMancaImpofatt, CampoCompetenza::Impofatt);
    switch (LetturaInCifre(campi.Impofatt)) {
    case LetturaImporto::NonNumerico: return errore(MessaggioImpofattNonImporto, CampoCompetenza::Impofatt);
    case LetturaImporto::FuoriMisura: return errore(MessaggioImportoFuoriMisura, CampoCompetenza::Impofatt);
    case LetturaImporto::Ammesso: break;
    }
    if (campi.Pagamento.isEmpty()) return errore(MessaggioMancaPagamento, CampoCompetenza::Pagamento);
    if (!basic::IsDate(campi.Data)) return errore(MessaggioMancaData, CampoCompetenza::Data);
    return esito;
}
