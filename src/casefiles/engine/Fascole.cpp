#include "casefiles/engine/Fascole.h"

#include <algorithm>
#include <stdexcept>

#include "casefiles/engine/NumerazioneFascole.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

enum Colonna { Cliente, Npra, Data, Criterio, Camponote, Rifcli, Stato, Numpranno };

}  // namespace

const FormaRiga& Fascola::Forma() {
    static const FormaRiga forma{
        "fascola", {"cliente", "npra"}, {"data", "criterio", "camponote", "rifcli", "stato", "numpranno"}};
    return forma;
}

Fascola::Fascola(const ValoriLetti& letti) {
    if (letti.size() != Colonne) throw std::logic_error("a case file read without its columns");
    std::copy(letti.begin(), letti.end(), letti_.begin());
}

Fascola::Fascola(const db::Statement& riga) {
    for (size_t i = 0; i < Colonne; ++i) letti_[i] = riga.column(int(i));
}

QString Fascola::cliente() const { return letti_[Cliente].textOr(QString()); }
QString Fascola::npra() const { return letti_[Npra].textOr(QString()); }

QString Fascola::data() const {
    const auto giorno = basic::ToDate(letti_[Data].textOr(QString()));
    return giorno ? giorno->toString("dd/MM/yyyy") : QString();
}

QString Fascola::criterio() const { return letti_[Criterio].textOr(QString()); }
QString Fascola::camponote() const { return letti_[Camponote].textOr(QString()); }
QString Fascola::rifcli() const { return letti_[Rifcli].textOr(QString()); }
bool Fascola::stato() const { return letti_[Stato].boolOr(false); }
QString Fascola::numpranno() const { return letti_[Numpranno].textOr(QString()); }

void CorreggiFascola(db::Database& archivio, Fascola& letta, const CorrezioneFascola& nuova) {
    ValoriLetti letti = letta.letti();
    AggiornaRigaLetta(archivio, Fascola::Forma(), letti,
                      {{"criterio", nuova.criterio},
                       {"data", DataInArchivio(nuova.data)},
                       {"camponote", nuova.camponote},
                       {"rifcli", nuova.rifcli},
                       {"stato", nuova.stato}});
    letta = Fascola(letti);
}

Cancellazione CancellazioneAmmessa(db::Database& archivio, const QString& cliente, const QString& npra) {
    if (!archivio.scalar("SELECT 1 FROM task WHERE npra = ? AND cliente = ? LIMIT 1", {npra, cliente}).isNull())
        return Cancellazione::HaIncarichi;
    if (!archivio.scalar("SELECT 1 FROM competenze WHERE cliente = ? AND npra = ? LIMIT 1", {cliente, npra}).isNull())
        return Cancellazione::HaCompetenze;
    return Cancellazione::Ammessa;
}

Cancellazione CancellaFascola(db::Database& archivio, const Fascola& letta) {
    db::Transaction scrittura(archivio);
    const Cancellazione motivo = CancellazioneAmmessa(archivio, letta.cliente(), letta.npra());
    if (motivo != Cancellazione::Ammessa) return motivo;
    CancellaRigaLetta(archivio, Fascola::Forma(), letta.letti());
    scrittura.commit();
    return Cancellazione::Ammessa;
}
