#include "invoice/engine/ArrestiEmissione.h"

#include "fees/engine/CalcoloCompetenza.h"  // MascheraImporto
#include "invoice/engine/ArchivioStampaFattura.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"

QString DomandaNumeroRipetuto(const QString& numero, const QStringList& documenti) {
    return "Il numero " + basic::Trim(numero) + " è già stato dato nello stesso anno a:\n" + documenti.join("\n") +
           "\n\nSi vuole emettere il documento con lo stesso numero? (Una serie a parte, come le note di credito, "
           "può ripetere il numero di una fattura.)";
}

namespace {

const QString NomeFileNonAmmesso = QStringLiteral(", che non può stare nel nome del file del documento");
const QString NonEmesso = QStringLiteral(": il documento non è stato emesso");

// Under automatic numbering the user may not expect a typed number to matter: linked, a
// document with a withholding is not posted, and takes the number typed, which its refusal
// concerns.
bool NumeroDigitatoPerLaRitenuta(ArrestoEmissione arresto, const DocumentoDaEmettere& d) {
    switch (arresto) {
    case ArrestoEmissione::NumeroMancante:
    case ArrestoEmissione::NumeroNonAmmesso:
    case ArrestoEmissione::NumeroGiaUsato:
    case ArrestoEmissione::NumeroOltreIlSuccessivo:
    case ArrestoEmissione::NumeroNonProgressivo:
        return d.Ambiente.CollegatoContabilita && d.Parametri.NumerazioneAutomatica && !ContabilizzazioneAmmessa(d);
    default: return false;
    }
}

QString DescrizioneRiga(const DocumentoDaEmettere& d, int indice) {
    const RigaFattura& riga = d.RigheFattura.riga(indice);
    return "E." + riga.elemento + " «" + basic::Trim(riga.descrizione) + "»";
}

QString AliquotaDellaRiga(const DocumentoDaEmettere& d, int indice) {
    const QString& codice = d.RigheFattura.riga(indice).CodiceIva;
    const GruppoIva* gruppo = d.Riepilogo.gruppoDelCodice(codice);
    return basic::Trim(codice) + " (" + basic::Format(gruppo ? gruppo->Percentuale : Currency(), MascheraImporto) + " %)";
}

}  // namespace

void Spiega(const EsitoEmissione& e, const DocumentoDaEmettere& d, const DettagliArresto& dettagli) {
    const QString registro = d.Parametri.RegistroIva;
    QString testo;
    switch (e.Arresto) {
    case ArrestoEmissione::Nessuno: return;
    case ArrestoEmissione::NessunaRiga: testo = "Non ci sono righe da fatturare" + NonEmesso; break;
    case ArrestoEmissione::NumeroParametroNonInCifre: {
        const QString& numero = TestoDelNumero(d.Parametri, *dettagli.Parametro);
        testo = RichiestaNumeroInCifre(d.Parametri, *dettagli.Parametro) +
                (basic::Trim(numero).isEmpty() ? " (ora manca)" : " (ora «" + numero + "»)") +
                " nei PARAMETRI FATTURAZIONE" + NonEmesso;
        break;
    }
    case ArrestoEmissione::DataNonValida:
        testo = "La data del documento (" + d.Parametri.DataFattura + ") non è una data valida" + NonEmesso;
        break;
    case ArrestoEmissione::DataFuoriEsercizio: {
        const EsercizioContabile& esercizio = *dettagli.Esercizio;
        testo = esercizio.Valido()
                    ? "La data del documento (" + d.Parametri.DataFattura + ") è fuori dall'esercizio contabile " +
                          esercizio.Esercizio + " dell'archivio collegato, dal " +
                          basic::Format(esercizio.Inizio, "dd/mm/yyyy") + " al " +
                          basic::Format(esercizio.Fine, "dd/mm/yyyy") +
                          "; scegliere nei PARAMETRI FATTURAZIONE l'esercizio del documento, o correggere la data"
                    : "L'archivio contabile collegato non indica un esercizio valido (esercizio «" +
                          esercizio.Esercizio + "», mese di inizio «" + esercizio.MeseInizio +
                          "») e la data del documento non si può verificare";
        testo += NonEmesso;
        break;
    }
    case ArrestoEmissione::AliquotaNonAmmessa:
        testo = "Non si può fatturare la riga " + DescrizioneRiga(d, dettagli.RigaAliquota) + " all'aliquota IVA " +
                AliquotaDellaRiga(d, dettagli.RigaAliquota) +
                ": l'aliquota va da 0 a meno di 100; correggerla in ALTRI DATI o negli Elementi da fatturare" +
                NonEmesso;
        break;
    case ArrestoEmissione::CodiceClienteNonAmmesso:
        testo = "Il codice cliente " + d.Fascola.CodiceCliente + " contiene il carattere " +
                CarattereNonAmmessoInNomeFile(d.Fascola.CodiceCliente) + NomeFileNonAmmesso + NonEmesso;
        break;
    case ArrestoEmissione::NumeroMancante: testo = "Manca il numero del documento" + NonEmesso; break;
    case ArrestoEmissione::NumeroNonAssegnato:
        testo = "Il registro IVA " + registro + " non ha dato un numero al documento" + NonEmesso;
        break;
    case ArrestoEmissione::RegistroInesistente:
        testo = "Il registro IVA " + registro + " non è nell'archivio contabile" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroGiaUsato:
        testo = dettagli.Documento.isEmpty()
                    ? "Il numero " + e.NumeroDocumento + " è già stato dato a un altro documento del registro IVA " +
                          registro + NonEmesso
                    : "Il numero " + e.NumeroDocumento + " è già stato dato nello stesso anno a un documento non " +
                          "registrato in contabilità (" + dettagli.Documento + ")" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroGiaDato:
        testo = "Il numero " + e.NumeroDocumento + " è stato dato nel frattempo a un altro documento (" +
                dettagli.Documento + ")" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroNonConfermato: return;
    case ArrestoEmissione::NumeroOltreIlSuccessivo:
        testo = "Il numero " + e.NumeroDocumento + " lascerebbe dei numeri non usati nel registro IVA " + registro +
                " (l'ultimo dato è " + QString::number(dettagli.UltimoNumero) + ", il prossimo è " +
                QString::number(dettagli.UltimoNumero + 1) + ")" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroNonProgressivo:
        testo = "Il numero del documento " + e.NumeroDocumento + " non è un numero progressivo del registro IVA " +
                registro + NonEmesso;
        break;
    case ArrestoEmissione::RigaNonContabilizzabile:
        testo = "Non si può registrare in contabilità la riga " + DescrizioneRiga(d, dettagli.Riga->Riga) + " (" +
                dettagli.Riga->Motivi.join("; ") + ")" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroNonAmmesso:
        testo = "Il numero del documento " + e.NumeroDocumento + " contiene il carattere " +
                CarattereNonAmmessoInNomeFile(e.NumeroDocumento) + NomeFileNonAmmesso + NonEmesso;
        break;
    case ArrestoEmissione::NumeroRegistrazioneMancante:
        testo = "Non è stato possibile assegnare il numero di registrazione contabile" + NonEmesso;
        break;
    case ArrestoEmissione::ContoIvaVenditeMancante:
        testo = "Nei parametri della contabilità manca il conto IVA vendite" + NonEmesso;
        break;
    case ArrestoEmissione::RegistrazioneNonEseguita:
        testo = "La registrazione contabile non è stata eseguita" + NonEmesso;
        break;
    case ArrestoEmissione::IdFatturaInUso:
        testo = "Il cliente ha già un documento della stessa fascola, data e numero (" + dettagli.Documento + ")" +
                NonEmesso;
        break;
    case ArrestoEmissione::CompetenzeGiaFatturate:
        testo = "Competenze già fatturate con un altro documento: " + QString::number(dettagli.GiaFatturate) +
                "; rifare la selezione" + NonEmesso;
        break;
    case ArrestoEmissione::Errore:
        testo = "Il documento non è stato emesso: gli archivi sono rimasti come erano prima della stampa";
        break;
    }
    if (NumeroDigitatoPerLaRitenuta(e.Arresto, d))
        testo += ".\nUn documento con ritenuta non è numerato dal registro IVA, anche con il funzionamento "
                 "AUTOMATICO: prende il numero scritto nei PARAMETRI FATTURAZIONE.";
    ui::MessageService::show(testo, TitoloEmissione, ui::Buttons::Ok, ui::Icon::Warning);
}
