#pragma once
#include <QString>
#include <vector>

namespace db {
class Database;
}

// What the client tree shows of the archive: its clients and case files come from a search
// result; a case file's tasks and jobs are read when the user opens its node.

// The client node's key: "C" and the ten digits of an account code when linked to the
// accounting archive (`collegato`; by default as the program is now), "C" and the code as
// stored otherwise.
QString ChiaveCliente(const QString& codice, bool collegato);
QString ChiaveCliente(const QString& codice);

struct NodoLavoro {
    QString descrizione;
    bool documento = false;  // `tipo` "D"
};

struct NodoIncarico {
    QString ntask;
    QString titolo;
    std::vector<NodoLavoro> lavori;  // in number order
};

// The case file's tasks in number order, each with its jobs; a job whose task is gone shows
// nowhere. Throws db::DbError.
std::vector<NodoIncarico> IncarichiConLavori(db::Database& archivio, const QString& cliente, const QString& npra);
