#include "casefiles/engine/RicercaFascole.h"

#include "foundation/engine/Generale.h"
#include "platform/system/BasicRuntime.h"

namespace {

// A condition on the rows of another table that belong to the case file.
std::string esiste(const std::string& tabella, const std::string& condizione) {
    return "EXISTS (SELECT * FROM " + tabella + " WHERE " + condizione + " AND " + tabella +
           ".cliente = fascola.cliente AND " + tabella + ".npra = fascola.npra)";
}

}  // namespace

std::optional<QueryRicerca> ComponiRicerca(const CriteriRicerca& c, const std::string& colonne) {
    std::string condizioni;
    db::Params parametri;
    auto aggiungi = [&](const std::string& condizione) {
        condizioni += (condizioni.empty() ? " WHERE " : " AND ") + condizione;
    };

    if (!basic::Trim(c.cliente).isEmpty()) {
        aggiungi("fascola.cliente = ?");
        parametri.push_back(c.cliente);
    }
    if (!c.data.isEmpty()) {
        QString giorno = DataPerSql(c.data);
        if (giorno.isEmpty()) return std::nullopt;
        aggiungi("fascola.data = ?");
        parametri.push_back(giorno.replace(',', '-'));
    }
    if (!c.rifcli.isEmpty()) {
        aggiungi("fascola.rifcli = ?");
        parametri.push_back(c.rifcli);
    }
    if (c.stato == CriteriRicerca::Stato::Aperte) aggiungi("fascola.stato = 1");
    if (c.stato == CriteriRicerca::Stato::Chiuse) aggiungi("fascola.stato = 0");
    if (!c.documento.isEmpty()) {
        aggiungi(esiste("job", "job.descrizione LIKE ? ESCAPE '\\'"));
        parametri.push_back(db::likePattern(c.documento.toStdString()));
    }
    if (!c.incarico.isEmpty()) {
        aggiungi(esiste("task", "task.titolo LIKE ? ESCAPE '\\'"));
        parametri.push_back(db::likePattern(c.incarico.toStdString()));
    }
    if (!c.competenza.isEmpty()) {
        aggiungi(esiste("competenze", "competenze.elemento = ?"));
        parametri.push_back(c.competenza);
    }
    if (!c.importo.isEmpty()) {
        parametri.emplace_back(ImportoDelBox(c.importo));
        aggiungi(esiste("competenze", "competenze.impofat = ?"));
    }
    return QueryRicerca{"SELECT " + colonne + " FROM fascola" + condizioni +
                            " ORDER BY fascola.cliente ASC, fascola.data DESC, fascola.npra DESC",
                        std::move(parametri)};
}

std::optional<ElencoFascole> CercaFascole(db::Database& archivio, const CriteriRicerca& criteri) {
    const std::optional<QueryRicerca> query = ComponiRicerca(criteri, ColonneLette(Fascola::Forma()));
    if (!query) return std::nullopt;
    ElencoFascole trovate;
    db::Statement st(archivio, query->sql, query->parametri);
    while (st.step()) trovate.emplace_back(st);
    return trovate;
}
