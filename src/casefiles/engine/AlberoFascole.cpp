#include "casefiles/engine/AlberoFascole.h"

#include <QHash>

#include "foundation/engine/Ambiente.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

QString ChiaveCliente(const QString& codice) { return ChiaveCliente(codice, AmbienteLavoro().CollegatoContabilita); }

QString ChiaveCliente(const QString& codice, bool collegato) {
    if (!collegato) return "C" + codice;
    return "C" + basic::Mid(codice, 1, 2) + basic::Mid(codice, 4, 2) + basic::Mid(codice, 7, 2) +
           basic::Mid(codice, 10, 4);
}

std::vector<NodoIncarico> IncarichiConLavori(db::Database& archivio, const QString& cliente, const QString& npra) {
    std::vector<NodoIncarico> incarichi;
    QHash<QString, size_t> perNumero;
    db::Statement t(archivio, "SELECT ntask, titolo FROM task WHERE cliente = ? AND npra = ? ORDER BY ntask",
                    {cliente, npra});
    while (t.step()) {
        incarichi.push_back({t.column(0).toText<QString>(), t.column(1).textOr(QString()), {}});
        // Numbers are compared as the archive compares them, without regard to case.
        perNumero.insert(incarichi.back().ntask.toUpper(), incarichi.size() - 1);
    }
    db::Statement j(archivio,
                    "SELECT ntask, descrizione, tipo FROM job WHERE cliente = ? AND npra = ? ORDER BY ntask, njob",
                    {cliente, npra});
    while (j.step()) {
        const auto incarico = perNumero.constFind(j.column(0).toText<QString>().toUpper());
        if (incarico == perNumero.cend()) continue;
        incarichi[*incarico].lavori.push_back({j.column(1).textOr(QString()), j.column(2).textOr(QString()) == "D"});
    }
    return incarichi;
}
