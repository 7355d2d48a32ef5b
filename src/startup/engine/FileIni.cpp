#include "startup/engine/FileIni.h"

#include <QFile>
#include <QSaveFile>

#include "foundation/engine/Generale.h"
#include "platform/db/DbError.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

namespace {

[[noreturn]] void erroreFile(int numero, const QString& testo, const QString& percorso) {
    throw db::DbError(numero, (testo + " " + NomeNelMessaggio(percorso)).toStdString());
}

}  // namespace

QString PercorsoFileIni(const QString& CartellaAvvio) {
    if (CartellaAvvio.endsWith('\\') || CartellaAvvio.endsWith('/')) return CartellaAvvio + NomeFileIni;
    // Keep the separator the start folder is written with.
    const QChar separatore = CartellaAvvio.contains('\\') && !CartellaAvvio.contains('/') ? '\\' : '/';
    return CartellaAvvio + separatore + NomeFileIni;
}

QStringList LeggiFileIni(const QString& PathFileIni) {
    QFile file(sys::LocalPath(PathFileIni));
    if (!file.exists()) erroreFile(53, "File non trovato", PathFileIni);
    if (!file.open(QIODevice::ReadOnly)) erroreFile(75, "Errore di accesso al percorso/file", PathFileIni);

    QStringList valori;
    while (!file.atEnd()) {
        QByteArray riga = file.readLine();
        if (riga.endsWith('\n')) riga.chop(1);
        if (riga.endsWith('\r')) riga.chop(1);
        valori << QString::fromLocal8Bit(riga);
    }
    return valori;
}

void ScriviFileIni(const QString& PathFileIni, const QStringList& valori) {
    // Written aside and renamed over the old file: a failure leaves the old file whole.
    QSaveFile file(sys::LocalPath(PathFileIni));
    if (!file.open(QIODevice::WriteOnly)) erroreFile(75, "Errore di accesso al percorso/file", PathFileIni);
    for (const QString& valore : valori) file.write(valore.toLocal8Bit() + "\r\n");
    if (!file.commit()) erroreFile(75, "Errore di accesso al percorso/file", PathFileIni);
    // The new file's name flushed to the disk: a power cut does not bring the old one back.
    sys::SyncFolderOf(sys::LocalPath(PathFileIni));
}
