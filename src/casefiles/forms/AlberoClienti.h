#pragma once
#include <QString>
#include <Qt>
#include <vector>

class QTreeWidget;
namespace db {
class Database;
}

// The client tree of the window's left column: a read-only overview of a search result,
// root "FASCOLE", then one node per client with its case files, their tasks and the tasks'
// jobs. Only a search that finds rows rebuilds it, so its clients and case files are those
// of that search; a case file's tasks and jobs are read when the user first opens its node.

// What each node carries besides its text.
inline constexpr int RuoloChiave = Qt::UserRole;        // the node's key; jobs have none
inline constexpr int RuoloImmagine = Qt::UserRole + 1;  // the node's image, below

enum ImmagineNodo {
    ImmagineCliente = 1,
    ImmagineFascola = 2,
    ImmagineFascolaScelta = 3,  // a case file's node while selected
    ImmagineIncarico = 4,
    ImmagineLavoro = 5,
    ImmagineDocumento = 6,
    ImmagineRadice = 7,
};

// A case file of the search result.
struct FascolaNelRisultato {
    QString cliente;
    QString npra;
};

// The client node's key: "C" and the ten digits of an account code when linked to the
// accounting archive, "C" and the code as stored otherwise.
QString ChiaveCliente(const QString& codice);

// Rebuilds `albero` from `fascole`, in the search's order (so each client's case files are
// together), with the client names from the accounting archive when linked, from `archivio`
// (the case-file archive) otherwise. Errors go to the error handler: clients whose names
// could not be read show their codes, a case file whose tasks could not be read shows none.
void CostruisciAlberoClienti(QTreeWidget& albero, db::Database& archivio, const std::vector<FascolaNelRisultato>& fascole);
