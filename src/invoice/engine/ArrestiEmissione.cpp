#include "invoice/engine/ArrestiEmissione.h"

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

QString DescrizioneRiga(const DocumentoDaEmettere& d, const RigaNonContabilizzabile& r) {
    const RigaFattura& riga = d.RigheFattura.riga(r.Riga);
    return "E." + riga.elemento + " «" + basic::Trim(riga.descrizione) + "»";
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
        testo = "Non si può registrare in contabilità la riga " + DescrizioneRiga(d, *dettagli.Riga) + " (" +
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
    ui::MessageService::show(testo, TitoloEmissione, ui::Buttons::Ok, ui::Icon::Warning);
}
