#include "startup/engine/EsameArchivio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <vector>

#include "foundation/engine/ArchivioFascole.h"
#include "foundation/engine/Generale.h"
#include "platform/db/Database.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

namespace {

using Esito = EsameArchivio::Esito;

// The database layer's number for a file that is no database at all.
constexpr int FormatoNonRiconosciuto = 3343;

// The folder part of a path as written, without its final separator; "" when it names none.
QString cartellaScritta(const QString& percorso) { return CartellaSenzaSeparatoreFinale(CartellaDaPercorso(percorso)); }

// An archive of the program: the revision table every archive has or, should that alone be
// gone (dropped through the SQL console), every other table of the archive. Such an archive is
// opened, and the revision check tells through the error handler what it misses.
bool archivioDelleFascole(db::Database& archivio) {
    if (archivio.tableExists("Revisione")) return true;
    const std::vector<db::Table>& tabelle = SchemaArchivioFascole();
    return std::all_of(tabelle.begin(), tabelle.end(),
                       [&](const db::Table& t) { return t.name == "Revisione" || archivio.tableExists(t.name); });
}

// An existing file: an archive when it reads as one and holds the archive's tables.
EsameArchivio esaminaFile(const QString& percorso, const QString& cartella, const AperturaArchivio& apri) {
    try {
        const std::shared_ptr<db::Database> archivio =
            apri ? apri(percorso) : std::shared_ptr<db::Database>(db::Database::open(percorso.toStdString()));
        if (archivioDelleFascole(*archivio)) return {Esito::Archivio, cartella, {}};
        return {Esito::Inutilizzabile, cartella, "il file non è un archivio delle fascole"};
    } catch (const db::DbError& e) {
        // Held by another workstation just now: the opening proper waits for it.
        if (db::err::isLockConflict(e.number)) return {Esito::Archivio, cartella, {}};
        if (e.number == FormatoNonRiconosciuto)
            return {Esito::Inutilizzabile, cartella, "il file non è un archivio delle fascole"};
        return {Esito::Inutilizzabile, cartella,
                "il file non si può aprire (" + QString::fromStdString(e.description) + ")"};
    }
}

// Whether a file can be written in the existing folder of `percorso`: the very file the
// creation builds on is made and removed.
bool cartellaScrivibile(const QString& percorso) {
    const QString prova = sys::LocalPath(NomeArchivioInCostruzione(percorso));
    QFile file(prova);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.close();
    return sys::RemoveFile(prova);
}

// The share `\\HOST\SHARE` a network path lies under, as written; "" for any other path.
QString condivisione(const QString& percorso) {
    QString p = percorso;
    p.replace('/', '\\');
    if (!p.startsWith("\\\\")) return {};
    const QStringList parti = p.mid(2).split('\\');
    return "\\\\" + parti.value(0) + "\\" + parti.value(1);
}

// Why the missing folder `cartella` could not be made, or "" when nothing stands in the way:
// a share not reached, or a file where one of the folders above it should be.
QString ostacoloAllaCartella(const QString& percorso, const QString& cartella) {
    const QString rete = condivisione(percorso);
    if (!rete.isEmpty() && !QFileInfo(sys::LocalPath(rete)).isDir())
        return "la cartella di rete " + NomeNelMessaggio(rete) + " non è raggiungibile";
    for (QString sopra = cartella; !sopra.isEmpty();) {
        const QFileInfo info(sys::LocalPath(sopra));
        if (info.isDir()) return {};
        if (info.exists()) return NomeNelMessaggio(sopra) + " è un file, non una cartella";
        const QString successiva = cartellaScritta(sopra);
        if (successiva == sopra) break;
        sopra = successiva;
    }
    return {};
}

}  // namespace

EsameArchivio EsaminaArchivio(const QString& Percorso, const AperturaArchivio& apri) {
    if (Percorso.trimmed().isEmpty()) return {Esito::Inutilizzabile, {}, "il percorso dell'archivio non è indicato"};
    const QString locale = sys::LocalPath(Percorso);
    const QFileInfo info(locale);
    QString cartella = cartellaScritta(Percorso);
    if (cartella.isEmpty()) cartella = info.absolutePath();

    if (info.isDir()) return {Esito::Inutilizzabile, cartella, "è una cartella, non un file"};
    if (info.exists()) return esaminaFile(Percorso, cartella, apri);
    if (QFileInfo(info.absolutePath()).isDir()) {
        if (cartellaScrivibile(Percorso)) return {Esito::DaCreare, cartella, {}};
        return {Esito::Inutilizzabile, cartella,
                "nella cartella " + NomeNelMessaggio(cartella) + " non si può scrivere"};
    }
    const QString ostacolo = ostacoloAllaCartella(Percorso, cartella);
    if (!ostacolo.isEmpty()) return {Esito::Inutilizzabile, cartella, ostacolo};
    return {Esito::CartellaMancante, cartella,
            "la cartella " + NomeNelMessaggio(cartella) + " non esiste o non è raggiungibile"};
}

bool CreaCartellaArchivio(const QString& Percorso) {
    return QDir().mkpath(QFileInfo(sys::LocalPath(Percorso)).absolutePath());
}
