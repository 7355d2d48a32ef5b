#include "accounting/engine/ElenchiContabili.h"

#include "foundation/engine/ElencoCombo.h"

std::vector<ui::ComboRow> ElencoCodiciPagamento(db::Database& sessione) {
    return ElencoDaQuery(sessione, "SELECT codice FROM codicipagamento ORDER BY codice");
}

std::vector<ui::ComboRow> ElencoCodiciIva(db::Database& sessione) {
    return ElencoDaQuery(sessione, "SELECT codice FROM ivacodici ORDER BY codice");
}
