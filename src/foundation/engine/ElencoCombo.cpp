#include "foundation/engine/ElencoCombo.h"

#include <QString>

std::vector<ui::ComboRow> ElencoDaQuery(db::Database& archivio, const std::string& sql, const db::Params& parametri) {
    std::vector<ui::ComboRow> righe;
    db::Statement st(archivio, sql, parametri);
    const bool valore = st.columnCount() > 1;
    while (st.step()) {
        const QString testo = st.column(0).textOr(QString());
        righe.push_back({testo, valore ? st.column(1).textOr(QString()) : testo});
    }
    return righe;
}
