#include "foundation/engine/Sessione.h"

#include <stdexcept>

#include "foundation/engine/Ambiente.h"

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

}  // namespace

db::Database& ArchivioInUso() {
    const AmbienteLavoroRec& a = AmbienteLavoro();
    const QString contabile = a.CollegatoContabilita ? a.PathArchivioContabile : QString();
    if (gSessione && gSessione->pathFascole() != a.PathArchivioFascole) {
        if (gSessione->db().inTransaction())
            throw std::logic_error("the case-file archive changed inside a transaction");
        gSessione.reset();
    }
    if (!gSessione) gSessione = std::make_unique<Sessione>(a.PathArchivioFascole);
    if (gSessione->pathContabile() != contabile) {
        if (gSessione->db().inTransaction())
            throw std::logic_error("the accounting archive changed inside a transaction");
        gSessione->collega(contabile);
    }
    return gSessione->db();
}

void ChiudiSessione() { gSessione.reset(); }
