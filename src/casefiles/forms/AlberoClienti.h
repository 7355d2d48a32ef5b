#pragma once
#include <QAbstractItemModel>
#include <QHash>
#include <QString>
#include <Qt>
#include <memory>
#include <unordered_map>
#include <vector>

#include "casefiles/engine/AlberoFascole.h"
#include "casefiles/engine/Fascole.h"

class QTreeView;
namespace db {
class Database;
}

// The client tree of the window's left column: a read-only overview of a search result,
// root "FASCOLE", then one node per client with its case files, their tasks and the tasks'
// jobs. Only a search that finds rows rebuilds it, so its clients and case files are those
// of that search. The tree is a view over a model of the result: rebuilding it reads the
// clients' names and nothing else, the view draws only the rows it shows, and a case file's
// tasks and jobs are read when the user first opens its node.

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

class ModelloAlberoClienti : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit ModelloAlberoClienti(QObject* parent = nullptr);

    // Rebuilds the tree from the search result `fascole`, in its order (so each client's case
    // files are together), with the client names read on `archivio` (from the accounting
    // archive when linked). The tree keeps the result it was built from, whatever later
    // happens to the mask's. Errors go to the error handler: clients whose names could not be
    // read show their codes.
    void Mostra(db::Database& archivio, std::shared_ptr<const ElencoFascole> fascole);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A case file's node not opened yet: its tasks and jobs are read on the session, under
    // the tree's error-handler text; one that could not be read shows none.
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Cliente {
        QString codice;
        int prima = 0;  // index of its first case file
        int quante = 0;
    };
    enum Livello : quintptr { LivelloCima = 0, LivelloFascola = 1, LivelloIncarico = 2, LivelloLavoro = 3 };
    struct Nodo {
        Livello livello;
        int riga;      // top level: its row
        int fascola;   // index among the case files
        int incarico;  // index among the case file's tasks
        int lavoro;
    };

    static quintptr codifica(Livello livello, quintptr fascola, quintptr incarico = 0, quintptr lavoro = 0);
    static Nodo decodifica(const QModelIndex& indice);
    int clienteDi(int fascola) const;
    const std::vector<NodoIncarico>* incarichi(int fascola) const;
    QString chiaveCliente(int cliente) const;
    QString chiaveFascola(int fascola) const;

    bool costruito_ = false;
    bool collegato_ = false;
    std::vector<Cliente> clienti_;
    std::shared_ptr<const ElencoFascole> fascole_;
    QHash<QString, QString> nomi_;
    std::unordered_map<int, std::vector<NodoIncarico>> incarichi_;
};

// Puts an empty client tree on `albero`; the case files' nodes are filled when opened.
ModelloAlberoClienti* PreparaAlberoClienti(QTreeView& albero);
