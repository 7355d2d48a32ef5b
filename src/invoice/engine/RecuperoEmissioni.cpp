#include "invoice/engine/RecuperoEmissioni.h"

#include <QDir>
#include <QFileInfo>

#include "foundation/engine/Generale.h"
#include "invoice/engine/DocumentiEmessi.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/FileSystem.h"
#include "platform/system/MessageService.h"
#include "platform/system/Paths.h"

namespace {

bool DiUnDocumento(const QString& nome) { return nome.startsWith(QLatin1String("SDB"), Qt::CaseInsensitive); }

// A print database of a committed document, with the client its fee items belong to.
struct DocumentoEmesso {
    DocumentoArchiviato Documento;
    QString CodiceCliente;
};

// The committed document whose print database has the name `nome`. The name is read as the
// link to the accounting archive writes it now and, failing that, as it is written the other
// way: a document issued before the link was switched on or off is still found.
std::optional<DocumentoEmesso> DocumentoDelNome(db::Database& sessione, const QString& nome, bool collegato) {
    for (const bool comeCollegato : {collegato, !collegato}) {
        const auto d = LetturaNomeQualsiasi(nome, comeCollegato);
        if (!d) continue;
        const QString codice = CodiceClienteDocumento(*d, comeCollegato);
        if (DocumentoDelFile(sessione, *d, codice)) return DocumentoEmesso{*d, codice};
    }
    return std::nullopt;
}

class Recupero {
public:
    Recupero(db::Database& sessione, const QString& cartellaAvvio, const QString& cartellaFatture, bool collegato,
             bool memorizza)
        : sessione_(sessione), collegato_(collegato) {
        esito.CartellaAvvio = cartellaAvvio;
        esito.CartellaFatture = CartellaFattureIndicata(cartellaFatture);
        esito.CopieMemorizzate = memorizza;
        avvio_ = QDir(sys::LocalPath(cartellaAvvio));
        if (!esito.CartellaFatture.isEmpty()) fatture_ = sys::LocalPath(esito.CartellaFatture);
        cartellaPresente_ = !fatture_.isEmpty() && QFileInfo(fatture_).isDir();
        const QString a = avvio_.canonicalPath(), f = cartellaPresente_ ? QDir(fatture_).canonicalPath() : QString();
        stessa_ = !a.isEmpty() && a == f;
    }

    // The print databases under a temporary name of a process that no longer runs.
    void Temporanei() {
        for (const QString& nome : avvio_.entryList({"SDB*.tmp"}, QDir::Files)) {
            const QString file = avvio_.filePath(nome);
            const auto parti = sys::ReadTemporaryName(nome);
            if (!parti || !sys::IsLeftover(file)) continue;
            // Its journal says it was being written: not a whole file, and its document was never
            // committed (the print database is complete before the commit).
            const bool intero = !QFileInfo::exists(file + "-journal");
            const auto documento = intero ? DocumentoDelNome(sessione_, parti->original, collegato_) : std::nullopt;
            if (documento) Sistema(file, *documento, true);
            else sys::RemoveFile(file);  // gone or not, the next recovery looks again
        }
    }

    // The print databases under their own name in the start folder, waiting for the invoice
    // folder, when it is not the start folder (there they are the stored copies). Only those of
    // committed documents: any other is no business of the recovery.
    void ConIlLoroNome() {
        if (stessa_) return;
        for (const QString& nome : avvio_.entryList({"SDB*.mdb"}, QDir::Files))
            if (const auto documento = DocumentoDelNome(sessione_, nome, collegato_))
                Sistema(avvio_.filePath(nome), *documento, false);
    }

    // The journals of print databases being written, and the copies being written in the
    // invoice folder, by processes that no longer run.
    void Residui() {
        for (const QString& nome : avvio_.entryList({"SDB*.tmp-journal"}, QDir::Files | QDir::Hidden))
            if (sys::IsLeftover(avvio_.filePath(nome))) sys::RemoveFile(avvio_.filePath(nome));
        if (cartellaPresente_ && !stessa_) sys::RemoveLeftovers(fatture_, DiUnDocumento);
    }

    EsitoRecupero esito;

private:
    // Told once: a document settled under both its names in one recovery is one document.
    void Avvisa(const DocumentoEmesso& d, SorteDocumentoInterrotto sorte, const QString& file) {
        for (const DocumentoInterrotto& detto : esito.Documenti)
            if (detto.Documento.NomeFile == d.Documento.NomeFile) return;
        esito.Documenti.push_back({d.Documento, d.CodiceCliente, sorte, file});
    }

    // The print database `file` of the committed document `d` (`temporaneo`: under a temporary
    // name, else under its own) settled against its stored copy, or left where it is and told.
    void Sistema(const QString& file, const DocumentoEmesso& d, bool temporaneo) {
        const QString& nome = d.Documento.NomeFile;
        if (esito.CartellaFatture.isEmpty()) {
            // Nowhere to store it: it keeps its own name in the start folder, where the office
            // finds it. A document of that name there is this one (no document is cancelled
            // without a stored copy).
            if (!temporaneo) return;
            const QString proprio = avvio_.filePath(nome);
            if (sys::ReplaceFile(file, proprio)) Avvisa(d, SorteDocumentoInterrotto::NellaCartellaDiAvvio, proprio);
            else if (QFileInfo::exists(file)) Avvisa(d, SorteDocumentoInterrotto::NellaCartellaDiAvvio, file);
            return;
        }
        if (!cartellaPresente_) return Avvisa(d, SorteDocumentoInterrotto::CartellaMancante, file);
        const QString copia = QDir(fatture_).filePath(nome);
        // Stored already (a copy is never half a file, nor an empty one): this file is no longer
        // needed.
        const bool giaArchiviato = sys::RemoveNameReservation(copia) && QFileInfo(copia).isFile();
        const QString preso = sys::TakeFile(file, nome);
        if (preso.isEmpty()) {
            // Taken by another process, which settles it and tells; or it cannot be renamed here,
            // and waits (told only when it is its copy that is missing).
            if (QFileInfo::exists(file) && !giaArchiviato)
                Avvisa(d, SorteDocumentoInterrotto::CartellaNonScrivibile, file);
            return;
        }
        if (!giaArchiviato) {
            const bool archiviato = stessa_ ? sys::RenameFile(preso, copia) : sys::CopyFile(preso, copia);
            if (!archiviato) {
                // Given back its name, for the next recovery (of this process or another).
                const QString resta = sys::RenameFile(preso, file) ? file : preso;
                return Avvisa(d, SorteDocumentoInterrotto::CartellaNonScrivibile, resta);
            }
        }
        // One that stays is this process's leftover: the next recovery removes it, and tells then.
        if ((giaArchiviato || !stessa_) && !sys::RemoveFile(preso)) return;
        Avvisa(d, SorteDocumentoInterrotto::ForseNonStampato, copia);
    }

    db::Database& sessione_;
    const bool collegato_;
    QDir avvio_;
    QString fatture_;  // local path, empty when no invoice folder is given
    bool cartellaPresente_ = false;
    bool stessa_ = false;
};

QString DescrizioneDocumento(const DocumentoInterrotto& d) {
    const DocumentoArchiviato& doc = d.Documento;
    QString tipo = QStringLiteral("La fattura");
    if (doc.Lettera == "E") tipo = QStringLiteral("La nota di debito");
    else if (doc.Lettera == "H") tipo = QStringLiteral("La nota di credito");
    QString testo = tipo + " N. " + doc.Numero();
    // A document dated "NoData" has no date to show.
    bool conData = false;
    doc.IdFattura.mid(4, 6).toInt(&conData);
    if (conData) testo += " del " + doc.Data();
    return testo + " (cliente " + d.CodiceCliente + ", fascola " + doc.Fascola() + ")";
}

}  // namespace

EsitoRecupero RecuperoEmissioniInterrotte(db::Database& sessione, const QString& cartellaAvvio,
                                          const QString& cartellaFatture, bool collegato, bool memorizza) {
    Recupero recupero(sessione, cartellaAvvio, cartellaFatture, collegato, memorizza);
    recupero.Temporanei();
    recupero.ConIlLoroNome();
    recupero.Residui();
    return recupero.esito;
}

QString MessaggioRecupero(const EsitoRecupero& esito) {
    if (esito.Documenti.empty()) return {};
    const QString ristampa = QStringLiteral("\"Ristampa / Annulla\"");
    const QString cartella = NomeNelMessaggio(esito.CartellaFatture);
    QStringList righe{QStringLiteral("Documenti già emessi la cui stampa o archiviazione non si era conclusa:")};
    for (const DocumentoInterrotto& d : esito.Documenti) {
        const QString resta = "Il file " + NomeNelMessaggio(QFileInfo(d.File).fileName()) +
                              " resta nella cartella di avvio " + NomeNelMessaggio(esito.CartellaAvvio);
        QString testo = "- " + DescrizioneDocumento(d);
        switch (d.Sorte) {
        case SorteDocumentoInterrotto::ForseNonStampato:
            testo += " potrebbe non essere stata stampata: la sua copia è nella cartella delle fatture " + cartella +
                     ", da cui si può stampare con " + ristampa + ".";
            if (!esito.CopieMemorizzate)
                testo += " La copia è conservata anche se le fatture emesse non vengono memorizzate.";
            break;
        case SorteDocumentoInterrotto::CartellaMancante:
            testo += " attende di essere archiviata: la cartella delle fatture " + cartella +
                     " non esiste o non è raggiungibile (un disco di rete non collegato?). " + resta +
                     " e sarà archiviato alla prossima emissione o al prossimo elenco di " + ristampa +
                     " con la cartella raggiungibile.";
            break;
        case SorteDocumentoInterrotto::CartellaNonScrivibile:
            testo += " attende di essere archiviata: non è stato possibile scriverne la copia nella cartella "
                     "delle fatture " +
                     cartella + " (cartella di sola lettura, o disco pieno?). " + resta +
                     " e sarà archiviato alla prossima emissione o al prossimo elenco di " + ristampa +
                     " quando nella cartella si potrà scrivere.";
            break;
        case SorteDocumentoInterrotto::NellaCartellaDiAvvio:
            testo += " non è stata archiviata perché non è indicata la cartella delle fatture. " + resta +
                     ": indicando la cartella delle fatture, sarà archiviato alla prossima emissione e si potrà "
                     "stampare da " +
                     ristampa + ".";
            break;
        }
        righe << testo;
    }
    return righe.join("\n");
}

void AvvisoRecupero(const EsitoRecupero& esito) {
    const QString testo = MessaggioRecupero(esito);
    if (!testo.isEmpty()) ui::MessageService::show(testo, TitoloRecupero, ui::Buttons::Ok, ui::Icon::Warning);
}
