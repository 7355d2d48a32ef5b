#include "foundation/engine/Sessione.h"

#include <optional>
#include <stdexcept>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"

Sessione::Sessione(const QString& pathFascole, const QString& pathContabile)
    : db_(db::Database::open(pathFascole.toStdString())), pathFascole_(pathFascole) {
    if (!pathContabile.isEmpty()) collega(pathContabile);
}

void Sessione::collega(const QString& pathContabile) {
    if (pathContabile == pathContabile_) return;
    if (!pathContabile_.isEmpty()) {
        db_->detach(SchemaContabile);
        pathContabile_.clear();
    }
    if (pathContabile.isEmpty()) return;
    db_->attach(pathContabile.toStdString(), SchemaContabile);
    pathContabile_ = pathContabile;
}

namespace {

std::unique_ptr<Sessione> gSessione;
// Why the accounting archive wanted is not attached; empty while it is (or none is wanted).
std::optional<db::DbError> gMancaContabile;

QString ContabileVoluto() {
    const AmbienteLavoroRec& a = AmbienteLavoro();
    return a.CollegatoContabilita ? a.PathArchivioContabile : QString();
}

}  // namespace

Connessione ArchivioInUso() {
    const QString& fascole = AmbienteLavoro().PathArchivioFascole;
    const QString contabile = ContabileVoluto();
    if (gSessione && gSessione->pathFascole() != fascole) {
        if (gSessione->db().inTransaction())
            throw std::logic_error("the case-file archive changed inside a transaction");
        gSessione.reset();
    }
    if (!gSessione) {
        gSessione = std::make_unique<Sessione>(fascole);
        gMancaContabile.reset();
    }
    if (gSessione->pathContabile() != contabile) {
        if (gSessione->db().inTransaction())
            throw std::logic_error("the accounting archive changed inside a transaction");
        try {
            gSessione->collega(contabile);
            gMancaContabile.reset();
        } catch (const db::DbError& e) {
            gMancaContabile = e;
        }
    }
    return gSessione->connessione();
}

Connessione ArchivioInUso(Procedura& proc) {
    Connessione archivio;
    proc.essenziale([&] { archivio = ArchivioInUso(); });
    return archivio;
}

Connessione ArchivioContabileInUso() {
    Connessione sessione = ArchivioInUso();
    if (gSessione->pathContabile() != ContabileVoluto())
        throw gMancaContabile.value_or(db::DbError(db::err::FileNotFound, "Archivio contabile non collegato."));
    return sessione;
}

Connessione ArchivioContabileInUso(Procedura& proc) {
    Connessione archivio;
    proc.essenziale([&] { archivio = ArchivioContabileInUso(); });
    return archivio;
}

void ChiudiSessione() {
    gSessione.reset();
    gMancaContabile.reset();
}
