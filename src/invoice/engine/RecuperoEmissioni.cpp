#include "invoice/engine/RecuperoEmissioni.h"

#include <QDir>
#include <QFileInfo>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

void RecuperoEmissioniInterrotte(db::Database& sessione, const QString& cartellaAvvio, const QString& cartellaFatture,
                                 bool collegato, bool memorizza) {
    const QString avvio = sys::LocalPath(cartellaAvvio);
    const QString cartella = CartellaFattureIndicata(cartellaFatture);
    const QString fatture = cartella.isEmpty() ? QString() : sys::LocalPath(cartella);
    const bool conCopia = memorizza && !fatture.isEmpty() && QFileInfo(fatture).isDir();
    const bool stessa = !fatture.isEmpty() && QFileInfo(avvio).canonicalFilePath() == QFileInfo(fatture).canonicalFilePath();
    const QDir dir(avvio);
    const QStringList lasciati = dir.entryList({"SDB*.tmp"}, QDir::Files);
    for (const QString& nome : lasciati) {
        const auto parti = sys::ReadTemporaryName(nome);
        if (!parti || !sys::IsLeftover(nome)) continue;
        const auto documento = LetturaNomeQualsiasi(parti->original, collegato);
        if (!documento) continue;
        const QString file = dir.filePath(nome);
        // Its journal says it was being written: not a whole file, and its document was never
        // committed (the print database is complete before the commit).
        const bool intero = !QFileInfo::exists(file + "-journal");
        const bool emesso = intero && CompetenzeDelDocumento(sessione, CodiceClienteDocumento(*documento, collegato),
                                                               documento->IdFattura);
        if (emesso && conCopia) {
            const QString copia = QDir(fatture).filePath(parti->original);
            if (stessa) {
                if (!QFileInfo::exists(copia) && sys::RenameFile(file, copia)) continue;
            } else if (!QFileInfo::exists(copia) && !sys::CopyFile(file, copia)) {
                throw db::DbError(75, ("Errore di accesso al percorso o al file: " + copia).toStdString());
            }
        }
        if (!sys::RemoveFile(file))
            throw db::DbError(75, ("Errore di accesso al percorso o al file: " + file).toStdString());
    }
    // Journals of print databases being written, and copies being written in the invoice folder.
    auto documento = [](const QString& nome) { return nome.startsWith("SDB", Qt::CaseInsensitive); };
    sys::RemoveLeftovers(avvio, documento);
    if (!fatture.isEmpty() && QFileInfo(fatture).isDir()) sys::RemoveLeftovers(fatture, documento);
}
