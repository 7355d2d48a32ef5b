#include "invoice/engine/StampaDocumento.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "foundation/engine/Generale.h"
#include "platform/db/DbError.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

namespace {

// Error 75, "path/file access error": a file that cannot be read or written.
[[noreturn]] void erroreFile(const QString& path, const QString& perche) {
    throw ErroreAccessoFile(path, " (" + perche + ")");
}

QString separatore(const QString& cartella) {
    // Paths keep the separator the user wrote them with.
    return cartella.contains(u'/') && !cartella.contains(u'\\') ? QStringLiteral("/") : QStringLiteral("\\");
}

bool stessaCartella(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

}  // namespace

QString ReportDocumento(const QString& cartellaAvvio) {
    const QDir dir(sys::LocalPath(cartellaAvvio));
    if (!cartellaAvvio.isEmpty() && dir.exists())
        for (const QString& nome : dir.entryList(QDir::Files))
            if (nome.compare(ReportFatturaPersonalizzato, Qt::CaseInsensitive) == 0) return ReportFatturaPersonalizzato;
    return ReportFattura;
}

int DestinazioneDocumento(bool anteprimaStampa) { return anteprimaStampa ? 0 : 1; }

QString CartellaFattureIndicata(const QString& cartellaFatture) {
    const QString cartella = CartellaSenzaSeparatoreFinale(cartellaFatture.trimmed());
    if (cartella.compare(QLatin1String("NO"), Qt::CaseInsensitive) == 0) return {};
    return cartella;
}

QString PercorsoCopiaArchiviata(const QString& cartellaFatture, const QString& nomeFile) {
    const QString cartella = CartellaSenzaSeparatoreFinale(cartellaFatture);
    return cartella + separatore(cartella) + nomeFile;
}

CopiaDocumento ArchiviaCopiaDocumento(const QString& pathArchivio, const QString& cartellaFatture, bool memorizza,
                                      const QString& nome) {
    CopiaDocumento copia;
    copia.Cartella = CartellaFattureIndicata(cartellaFatture);
    if (!memorizza) {
        copia.Esito = EsitoCopia::NonRichiesta;
        return copia;
    }
    if (copia.Cartella.isEmpty()) {
        copia.Esito = EsitoCopia::NessunaCartella;
        return copia;
    }
    const QString cartellaLocale = sys::LocalPath(copia.Cartella);
    if (!QFileInfo(cartellaLocale).isDir()) {
        copia.Esito = EsitoCopia::CartellaMancante;
        return copia;
    }
    const QString origine = sys::LocalPath(pathArchivio);
    const QString nomeCopia = nome.isEmpty() ? QFileInfo(origine).fileName() : nome;
    copia.Percorso = PercorsoCopiaArchiviata(copia.Cartella, nomeCopia);
    // The invoice folder is the folder of the print database: the file is its own copy.
    if (stessaCartella(QFileInfo(origine).path(), cartellaLocale)) {
        copia.Esito = EsitoCopia::GiaArchiviata;
        return copia;
    }
    // Written aside and renamed over the copy of that name: never half a document there.
    if (!QFileInfo(origine).isFile()) erroreFile(pathArchivio, "il file non esiste");
    if (!sys::CopyFile(origine, QDir(cartellaLocale).filePath(nomeCopia)))
        erroreFile(copia.Percorso, "impossibile scriverlo");
    copia.Esito = EsitoCopia::Archiviata;
    return copia;
}

QString MessaggioCopiaMancante(const CopiaDocumento& copia, const QString& pathNomeProprio) {
    if (!copia.Mancante()) return {};
    QString perche;
    switch (copia.Esito) {
    case EsitoCopia::NessunaCartella: perche = "Non è indicata la cartella delle fatture"; break;
    case EsitoCopia::CartellaMancante:
        perche = "La cartella delle fatture " + NomeNelMessaggio(copia.Cartella) + " non esiste";
        break;
    default:
        perche = "La copia non è stata scritta nella cartella delle fatture " + NomeNelMessaggio(copia.Cartella);
        break;
    }
    const QFileInfo file(pathNomeProprio);
    const QString quando = copia.Esito == EsitoCopia::NessunaCartella
                               ? QStringLiteral("sarà archiviato alla prima emissione dopo che sarà stata indicata "
                                                "la cartella delle fatture")
                               : QStringLiteral("sarà archiviato alla prossima emissione o al prossimo elenco di "
                                                "\"Ristampa / Annulla\" con la cartella delle fatture disponibile");
    return perche + ": il documento non è stato archiviato e per ora non si può ristampare né annullare da " +
           "\"Ristampa / Annulla\".\nIl file " + NomeNelMessaggio(file.fileName()) + " resta nella cartella di avvio " +
           NomeNelMessaggio(file.path()) +
           ": " + quando + ".";
}

QString MessaggioDocumentoNonStampato(const QString& numeroDocumento, const QString& dataFattura, bool contabilizzato,
                                      const CopiaDocumento& copia) {
    QString testo = "Il documento N. " + numeroDocumento + " del " + dataFattura + " è stato emesso" +
                    (contabilizzato ? ", numerato e registrato in contabilità," : QString()) +
                    " ma non è stato stampato.";
    if (copia.Conservata()) testo += "\nSi può stampare da \"Ristampa / Annulla\".";
    else if (copia.Esito == EsitoCopia::NonRichiesta)
        testo += "\nNon ne è conservata una copia: non si potrà ristampare.";
    return testo;
}

void RimuoviArchivioStampa(const QString& pathArchivio, const CopiaDocumento& copia) {
    if (copia.Esito == EsitoCopia::GiaArchiviata || copia.Mancante()) return;
    if (!sys::RemoveFile(sys::LocalPath(pathArchivio))) erroreFile(pathArchivio, "impossibile eliminarlo");
}

CopiaDocumento ChiusuraArchivioStampa(const QString& pathArchivio, const QString& pathNomeProprio,
                                      const CopiaDocumento& copia, bool stampato, const QString& cartellaFatture) {
    CopiaDocumento esito = copia;
    const QString lavoro = sys::LocalPath(pathArchivio), proprio = sys::LocalPath(pathNomeProprio);
    const QString nome = QFileInfo(proprio).fileName();
    if (!stampato && esito.Esito == EsitoCopia::NonRichiesta) {
        // Maybe never printed: kept where "Ristampa / Annulla" prints it from.
        try {
            esito = ArchiviaCopiaDocumento(pathArchivio, cartellaFatture, true, nome);
        } catch (const db::DbError&) {
            esito.Cartella = CartellaFattureIndicata(cartellaFatture);
            esito.Esito = EsitoCopia::NonRiuscita;
        }
    }
    if (esito.Esito == EsitoCopia::GiaArchiviata || esito.Mancante()) {
        // Under its own name in the start folder: the stored copy itself, or waiting there.
        if (!sys::ReplaceFile(lavoro, proprio))
            erroreFile(pathArchivio, "impossibile dargli il nome " + NomeNelMessaggio(nome));
        if (esito.Esito == EsitoCopia::GiaArchiviata) esito.Percorso = pathNomeProprio;
        return esito;
    }
    RimuoviArchivioStampa(pathArchivio, esito);
    return esito;
}
