#include "fees/engine/DefaultCompetenza.h"

#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

namespace {

// What an amount box holds reads as an amount.
bool leggibile(const QString& testo) {
    QString copia = testo;
    try {
        ImportoDaTesto(copia);
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

}  // namespace

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

EsitoDefaultCompetenza DefinizioneDefault(db::Database& sessione, SceltaElemento scelta, const QString& testo,
                                          const QString& cliente, bool collegato) {
    EsitoDefaultCompetenza esito;
    Procedura proc("Funzione di definizione dei default");
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

    DefaultCompetenza d;
    d.Elemento = *elemento;
    if (!proc.essenziale([&] { d.Listino = PrezzoDiListino(sessione, cliente, elemento->codice); })) return esito;
    switch (OrigineDelPagamento(d.Listino.has_value(), elemento->pagamento, collegato)) {
    case OrigineCodicePagamento::Listino: d.Pagamento = d.Listino->Pagamento; break;
    case OrigineCodicePagamento::Anagrafe:
        // A client missing from the accounting registry: immediate payment.
        if (!proc.essenziale(
                [&] { d.Pagamento = PagamentoInAnagrafe(sessione, cliente).value_or(QStringLiteral("0")); }))
            return esito;
        break;
    case OrigineCodicePagamento::Catalogo: d.Pagamento = elemento->codicepagamento; break;
    }
    d.Dettaglio = DettaglioDiDefault(*elemento);
    esito.Default = std::move(d);
    return esito;
}

EsitoVerifica VerificaElementoEImporti(db::Database& sessione, const CampiCompetenza& campi,
                                       const QString& descrizioneErrori, bool importoLeggibile) {
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
    std::optional<ElementoDaFatturare> elemento;
    if (!proc.essenziale([&] { elemento = ElementoPerCodice(sessione, campi.Elemento); })) return esito;
    if (!elemento) return errore(MessaggioElementoInesistente, CampoCompetenza::Elemento);
    esito.Elemento = elemento;

    const ImportiRichiesti richiesti = ImportiRichiestiPer(elemento->calcolo, elemento->tipo);
    if (richiesti.Importo && (campi.Importo.isEmpty() || (importoLeggibile && !leggibile(campi.Importo))))
        return errore(MessaggioMancaImporto, CampoCompetenza::Importo);
    if (richiesti.Fattore && campi.Fattore.isEmpty()) return errore(MessaggioMancaFattore, CampoCompetenza::Fattore);
    esito.Valida = true;
    return esito;
}

EsitoVerifica VerificaCoerenzaDati(db::Database& sessione, const CampiCompetenza& campi) {
    EsitoVerifica esito =
        VerificaElementoEImporti(sessione, campi, QStringLiteral("Funzione di verifica coerenza dati inseriti"), true);
    if (!esito.Valida) return esito;
    const auto errore = [&](const QString& messaggio, CampoCompetenza campo) {
        esito.Valida = false;
        esito.Messaggio = messaggio;
        esito.Campo = campo;
        return esito;
    };
    if (campi.Impofatt.isEmpty() || !leggibile(campi.Impofatt))
        return errore(MessaggioMancaImpofatt, CampoCompetenza::Impofatt);
    if (campi.Pagamento.isEmpty()) return errore(MessaggioMancaPagamento, CampoCompetenza::Pagamento);
    if (!basic::IsDate(campi.Data)) return errore(MessaggioMancaData, CampoCompetenza::Data);
    return esito;
}
