#pragma once
// The client tree seen as its user sees it: nodes by row under their parent, opened one by one.
#include <QAbstractItemModel>
#include <QTreeView>
#include <functional>

namespace albero {

inline QModelIndex nodo(const QTreeView& t, int riga, const QModelIndex& padre = {}) {
    return t.model()->index(riga, 0, padre);
}

inline int figli(const QTreeView& t, const QModelIndex& padre = {}) { return t.model()->rowCount(padre); }

inline QString testo(const QModelIndex& n) { return n.data().toString(); }

// Opens `n` as a click on its mark would; its tasks are read then.
inline void apri(QTreeView& t, const QModelIndex& n) { t.expand(n); }

// Every node under `padre` opened, depth first, each visited after it was opened.
inline void apriTutto(QTreeView& t, const std::function<void(const QModelIndex&, int livello)>& visita = {},
                      const QModelIndex& padre = {}, int livello = 0) {
    for (int i = 0; i < figli(t, padre); ++i) {
        const QModelIndex n = nodo(t, i, padre);
        apri(t, n);
        if (visita) visita(n, livello);
        apriTutto(t, visita, n, livello + 1);
    }
}

}  // namespace albero
