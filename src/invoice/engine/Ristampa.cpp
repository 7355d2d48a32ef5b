#include "invoice/engine/Ristampa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "foundation/engine/ElencoCombo.h"
#include "foundation/engine/Generale.h"
#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/DocumentiEmessi.h"
#include "invoice/engine/RecuperoEmissioni.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

namespace {

constexpr int LunghezzaLettera = 1;
constexpr int LunghezzaRegistrazione = 5;
constexpr int LunghezzaIdFattura = 15;
const QString Estensione = QStringLiteral(".mdb");
const QString Prefisso = QStringLiteral("SDB");
// The ending of a copy's name while its document is being cancelled.
const QString FineAnnullamento = QStringLiteral(".annullamento");

// The name of the copy whose cancelling name is `nome`, when no cancel is working on it any
// more: one of this process (the process does one thing at a time, so none of its cancels is
// under way while it lists: that one stopped on an error), one of a process of this computer
// that no longer runs, or one of an earlier release (`….mdb.annullamento`, which tells no
// process). Nothing while another process may still be cancelling it.
std::optional<QString> CopiaDiUnAnnullamentoFermo(const QDir& dir, const QString& nome) {
    if (nome.endsWith(Estensione + FineAnnullamento, Qt::CaseInsensitive)) return nome.chopped(FineAnnullamento.size());
    const auto parti = sys::ReadTemporaryName(nome, FineAnnullamento);
    if (!parti) return std::nullopt;
    if (nome != NomeInAnnullamento(parti->original) && !sys::IsLeftover(dir.filePath(nome), FineAnnullamento))
        return std::nullopt;
    return parti->original;
}

// The copy of `documento` at `file` under a cancelling name that no cancel works on any more
// (`copia`: the copy's own name): nothing was cancelled while its document exists, and it takes
// its name back; it goes once its document is forgotten, or when another file has its name.
// Throws db::DbError (75 when it cannot be given its name back, or removed: it stays as it is).
void SistemazioneCopiaInAnnullamento(db::Database& archivio, const QString& file, const QString& copia,
                                     const DocumentoArchiviato& documento, bool collegato) {
    if (DocumentoDelFile(archivio, documento, CodiceClienteDocumento(documento, collegato)) &&
        sys::RemoveNameReservation(copia) && !QFileInfo::exists(copia)) {
        if (!sys::RenameFile(file, copia)) throw ErroreAccessoFile(file);
        return;
    }
    if (!sys::RemoveFile(file)) throw ErroreAccessoFile(file);
}

}  // namespace

QString DocumentoArchiviato::Fascola() const { return basic::Mid(IdFattura, 1, 4); }

QString DocumentoArchiviato::Data() const {
    return basic::Mid(IdFattura, 9, 2) + "/" + basic::Mid(IdFattura, 7, 2) + "/" + basic::Mid(IdFattura, 5, 2);
}

QString DocumentoArchiviato::TipoDoc() const {
    if (Lettera == "F") return QStringLiteral("Fattura");
    if (Lettera == "E") return QStringLiteral("N.Debit");
    if (Lettera == "H") return QStringLiteral("N.Cred.");
    return {};
}

QString DocumentoArchiviato::Numero() const { return SenzaZeriIniziali(basic::Mid(IdFattura, 11, 5)); }
QString DocumentoArchiviato::RegCont() const { return SenzaZeriIniziali(Registrazione); }

QString SenzaZeriIniziali(const QString& testo) {
    for (qsizetype i = 0; i < testo.size(); ++i)
        if (testo[i] != u'0') return testo.mid(i);
    return testo;
}

std::optional<DocumentoArchiviato> LetturaNomeDocumento(const QString& nome, const QString& parteCliente) {
    const qsizetype coda = LunghezzaLettera + LunghezzaRegistrazione + LunghezzaIdFattura + Estensione.size();
    if (parteCliente.isEmpty() || nome.size() != Prefisso.size() + parteCliente.size() + coda) return std::nullopt;
    if (!nome.startsWith(Prefisso + parteCliente, Qt::CaseInsensitive) || !nome.endsWith(Estensione, Qt::CaseInsensitive))
        return std::nullopt;
    DocumentoArchiviato d;
    d.NomeFile = nome;
    qsizetype p = Prefisso.size();
    d.ParteCliente = nome.mid(p, parteCliente.size());
    p += parteCliente.size();
    d.Lettera = nome.mid(p, LunghezzaLettera);
    p += LunghezzaLettera;
    d.Registrazione = nome.mid(p, LunghezzaRegistrazione);
    p += LunghezzaRegistrazione;
    d.IdFattura = nome.mid(p, LunghezzaIdFattura);
    if (d.Lettera != "F" && d.Lettera != "E" && d.Lettera != "H") return std::nullopt;
    return d;
}

std::optional<DocumentoArchiviato> LetturaNomeQualsiasi(const QString& nome, bool collegato) {
    const qsizetype fissi = Prefisso.size() + LunghezzaLettera + LunghezzaRegistrazione + LunghezzaIdFattura +
                            Estensione.size();
    if (nome.size() <= fissi || !nome.startsWith(Prefisso, Qt::CaseInsensitive)) return std::nullopt;
    const QString parte = nome.mid(Prefisso.size(), nome.size() - fissi);
    if (collegato && parte.size() != 10) return std::nullopt;
    return LetturaNomeDocumento(nome, parte);
}

QString ParteClienteDocumenti(const QString& codiceCliente, bool collegato) {
    if (!collegato) return basic::Trim(codiceCliente);
    return basic::Mid(codiceCliente, 1, 2) + basic::Mid(codiceCliente, 4, 2) + basic::Mid(codiceCliente, 7, 2) +
           basic::Right(codiceCliente, 4);
}

QString CodiceClienteDocumento(const DocumentoArchiviato& d, bool collegato) {
    if (!collegato) return d.ParteCliente;
    const QString& c = d.ParteCliente;
    return basic::Mid(c, 1, 2) + "." + basic::Mid(c, 3, 2) + "." + basic::Mid(c, 5, 2) + "." + basic::Mid(c, 7, 4);
}

std::vector<DocumentoArchiviato> ElencoDocumentiArchiviati(const QString& cartellaFatture, const QString& codiceCliente,
                                                           bool collegato) {
    std::vector<DocumentoArchiviato> elenco;
    const QString cartella = CartellaFattureIndicata(cartellaFatture);
    const QString parte = ParteClienteDocumenti(codiceCliente, collegato);
    if (cartella.isEmpty() || parte.isEmpty()) return elenco;
    const QDir dir(sys::LocalPath(cartella));
    if (!dir.exists()) return elenco;
    // The pattern ignores letter case, as the office's file server does.
    for (const QString& nome : dir.entryList({Prefisso + "*" + Estensione}, QDir::Files))
        if (auto d = LetturaNomeDocumento(nome, parte)) elenco.push_back(std::move(*d));
    std::sort(elenco.begin(), elenco.end(), [](const DocumentoArchiviato& a, const DocumentoArchiviato& b) {
        return a.NomeFile.compare(b.NomeFile, Qt::CaseSensitive) < 0;
    });
    return elenco;
}

std::vector<ui::ComboRow> ElencoClientiDocumenti(db::Database& sessione, bool collegato) {
    if (collegato)
        return ElencoDaQuery(sessione,
                             "SELECT codice FROM pianodeiconti WHERE codice NOT LIKE '%.0000' AND natura = 'C' "
                             "ORDER BY codice");
    return ElencoDaQuery(sessione, "SELECT codice FROM mpxanagrafe ORDER BY codice");
}

std::optional<QString> NomeClienteDocumenti(db::Database& sessione, const QString& codiceCliente, bool collegato) {
    const db::Value nome =
        collegato ? sessione.scalar("SELECT descrizione FROM pianodeiconti WHERE codice = ? AND natura = 'C' "
                                    "ORDER BY rowid LIMIT 1",
                                    {codiceCliente})
                  : sessione.scalar("SELECT ragione FROM mpxanagrafe WHERE codice = ? ORDER BY rowid LIMIT 1",
                                    {codiceCliente});
    if (nome.isNull()) {
        // A row whose name is Null is still the client.
        const db::Value c =
            collegato ? sessione.scalar("SELECT count(*) FROM pianodeiconti WHERE codice = ? AND natura = 'C'",
                                        {codiceCliente})
                      : sessione.scalar("SELECT count(*) FROM mpxanagrafe WHERE codice = ?", {codiceCliente});
        if (c.toInt() == 0) return std::nullopt;
        return QString();
    }
    return nome.toText<QString>();
}

StatoCopiaArchiviata VerificaCopiaArchiviata(const QString& path) {
    const QString locale = sys::LocalPath(path);
    if (!QFileInfo(locale).isFile()) return StatoCopiaArchiviata::Mancante;
    try {
        std::unique_ptr<db::Database> copia = db::Database::open(path.toStdString());
        static const char* const colonneCorpo[] = {"Tipo", "Descrizione", "Indice", "Importo", "Iva", "Pagamento"};
        for (const char* c : colonneCorpo)
            if (!copia->columnExists("Righecorpo", c)) return StatoCopiaArchiviata::Illeggibile;
        for (size_t i = 0; i < ColonneDatiDiBase; ++i)
            if (!copia->columnExists("Dati", ColonneDati[i])) return StatoCopiaArchiviata::Illeggibile;
        if (copia->scalar("SELECT count(*) FROM Dati").toInt() < 1) return StatoCopiaArchiviata::Illeggibile;
        // Every page of the file read once: a damaged one fails here, not halfway through a print.
        if (copia->scalar("PRAGMA quick_check").toText<QString>() != "ok") return StatoCopiaArchiviata::Illeggibile;
    } catch (const db::DbError&) {
        return StatoCopiaArchiviata::Illeggibile;
    }
    return StatoCopiaArchiviata::Leggibile;
}

std::vector<DocumentoArchiviato> ElencoDocumentiEmessi(db::Database& archivio, const QString& cartellaAvvio,
                                                       const QString& cartellaFatture, const QString& codiceCliente,
                                                       bool collegato, bool memorizza) {
    AvvisoRecupero(RecuperoEmissioniInterrotte(archivio, cartellaAvvio, cartellaFatture, collegato, memorizza));
    RecuperoAnnullamentiInterrotti(archivio, cartellaFatture, collegato);
    std::vector<DocumentoArchiviato> elenco;
    for (DocumentoArchiviato& d : ElencoDocumentiArchiviati(cartellaFatture, codiceCliente, collegato))
        if (CopiaDiUnDocumento(archivio, d, CodiceClienteDocumento(d, collegato))) elenco.push_back(std::move(d));
    return elenco;
}

QString NomeInAnnullamento(const QString& path) { return sys::TemporaryName(path, FineAnnullamento); }

bool AnnullamentoDocumento(db::Database& archivio, const QString& cartellaFatture, const DocumentoArchiviato& documento,
                           bool collegato) {
    const QString path = PercorsoCopiaArchiviata(cartellaFatture, documento.NomeFile);
    const QString copia = sys::LocalPath(path), inAnnullamento = NomeInAnnullamento(copia);
    // Done again after a failure, the cancel goes on from where it stopped.
    if (!QFileInfo::exists(inAnnullamento)) {
        if (!QFileInfo::exists(copia)) return false;
        if (!sys::RenameFile(copia, inAnnullamento))
            throw ErroreAccessoFile(path, " (non è stato possibile rinominarlo): il documento non è stato annullato.");
    }
    try {
        AnnullamentoNellArchivio(archivio, CodiceClienteDocumento(documento, collegato), documento.IdFattura);
    } catch (const db::DbError&) {
        // Nothing cancelled: the copy takes its name back at once, so that every workstation
        // lists the document as before; failing that, the next list of this computer does.
        try {
            SistemazioneCopiaInAnnullamento(archivio, inAnnullamento, copia, documento, collegato);
        } catch (const db::DbError&) {
        }
        throw;
    }
    RimozioneCopiaArchiviata(NomeInAnnullamento(path));
    return true;
}

void RecuperoAnnullamentiInterrotti(db::Database& archivio, const QString& cartellaFatture, bool collegato) {
    const QString cartella = CartellaFattureIndicata(cartellaFatture);
    if (cartella.isEmpty()) return;
    const QDir dir(sys::LocalPath(cartella));
    if (!dir.exists()) return;
    for (const QString& nome : dir.entryList({Prefisso + "*" + FineAnnullamento}, QDir::Files)) {
        const std::optional<QString> originale = CopiaDiUnAnnullamentoFermo(dir, nome);
        const auto d = originale ? LetturaNomeQualsiasi(*originale, collegato) : std::nullopt;
        if (!d) continue;
        const QString file = dir.filePath(nome), copia = dir.filePath(*originale);
        // Taken first, so that of two processes settling it only one does.
        QString preso = NomeInAnnullamento(copia);
        if (file != preso) {
            preso = sys::TakeFile(file, *originale, FineAnnullamento);
            if (preso.isEmpty()) {
                if (QFileInfo::exists(file)) throw ErroreAccessoFile(file);
                continue;
            }
        }
        SistemazioneCopiaInAnnullamento(archivio, preso, copia, *d, collegato);
    }
}

int CompletaCopiaArchiviata(const QString& path) {
    std::unique_ptr<db::Database> copia = db::Database::open(path.toStdString());
    auto mancanti = [&copia] {
        std::vector<const char*> colonne;
        for (size_t i = ColonneDatiDiBase; i < ColonneDati.size(); ++i)
            if (!copia->columnExists("Dati", ColonneDati[i])) colonne.push_back(ColonneDati[i]);
        return colonne;
    };
    const std::vector<const char*> daAggiungere = mancanti();
    if (daAggiungere.empty()) return 0;
    try {
        db::Transaction t(*copia);
        for (const char* c : daAggiungere)
            copia->execute(std::string("ALTER TABLE Dati ADD COLUMN ") + c + " text NOT NULL DEFAULT ''");
        t.commit();
    } catch (const db::DbError&) {
        // Another workstation reprinting the same copy may have completed it meanwhile.
        if (!mancanti().empty()) throw;
        return 0;
    }
    return int(daAggiungere.size());
}

void RimozioneCopiaArchiviata(const QString& path) {
    if (sys::RemoveFile(sys::LocalPath(path))) return;
    throw db::DbError(75,
                      ("Le competenze del documento sono di nuovo da fatturare, ma non è stato possibile eliminare "
                       "la copia archiviata " +
                       NomeNelMessaggio(path) +
                       ": il documento non è più elencato e la copia viene eliminata al prossimo elenco.")
                          .toStdString());
}
