#include "fees/engine/CatalogoContabile.h"

#include <cmath>

#include "foundation/engine/ElencoCombo.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

namespace {

std::optional<CodiceIva> iva(db::Database& archivio, const std::string& condizione, const QString& valore) {
    db::Statement st(archivio, "SELECT codice, descrizione, aliquota FROM ivacodici WHERE " + condizione + " LIMIT 1",
                     {valore});
    if (!st.step()) return std::nullopt;
    const db::Value aliquota = st.column(2);
    return CodiceIva{st.column(0).textOr(QString()), st.column(1).textOr(QString()),
                     aliquota.isNull() ? 0.0 : aliquota.toDouble()};
}

std::optional<QString> primo(db::Database& archivio, const std::string& sql, const QString& valore) {
    db::Statement st(archivio, sql, {valore});
    if (!st.step()) return std::nullopt;
    return st.column(0).textOr(QString());
}

// The account of the code given first in `parametri`, on the further `condizione`.
std::optional<ContoPdC> conto(db::Database& archivio, const std::string& condizione, const db::Params& parametri) {
    db::Statement st(archivio,
                     "SELECT codice, descrizione FROM pianodeiconti WHERE codice = ?" + condizione + " LIMIT 1",
                     parametri);
    if (!st.step()) return std::nullopt;
    return ContoPdC{st.column(0).textOr(QString()), st.column(1).textOr(QString())};
}

constexpr int GiorniMassimi = 365;

}  // namespace

std::optional<CodiceIva> IvaDaDescrizione(db::Database& archivio, const QString& descrizione) {
    return iva(archivio, "descrizione = ?", descrizione);
}

std::optional<CodiceIva> IvaDaCodice(db::Database& archivio, const QString& codice) {
    return iva(archivio, "codice = ?", codice);
}

QString DidascaliaIva(const CodiceIva& iva) {
    const auto percentuale = static_cast<long long>(std::floor(iva.aliquota / 100));
    return iva.codice + " (" + basic::Str(percentuale) + "%)";
}

QString CodiceDaDidascaliaIva(const QString& didascalia) {
    const qsizetype fine = didascalia.indexOf(" (");
    return basic::Trim(fine < 0 ? didascalia : didascalia.left(fine));
}

std::optional<ContoPdC> ContoDaCodice(db::Database& archivio, const QString& codice) {
    return conto(archivio, "", {codice});
}

std::optional<ContoPdC> SottocontoDaCodice(db::Database& archivio, const QString& codice) {
    return conto(archivio, " AND codice NOT LIKE ? ESCAPE '\\'", {codice, db::likePattern("*.0000")});
}

std::optional<QString> PagamentoDaDescrizione(db::Database& archivio, const QString& descrizione) {
    return primo(archivio, "SELECT codice FROM codicipagamento WHERE descrizione = ? LIMIT 1", descrizione);
}

std::optional<QString> DescrizioneCodicePagamento(db::Database& archivio, const QString& codice) {
    return primo(archivio, "SELECT descrizione FROM codicipagamento WHERE codice = ? LIMIT 1", codice);
}

QString GiorniPagamento(const QString& testo) {
    if (!basic::IsNumeric(testo)) return "0";
    double giorni = 0;
    try {
        giorni = std::nearbyint(basic::Val(testo));
    } catch (const db::DbError&) {
        return "0";  // beyond any number Val can read: no term of days
    }
    if (!(giorni >= 0 && giorni <= GiorniMassimi)) return "0";
    return QString::number(static_cast<int>(giorni));
}

std::vector<ui::ComboRow> ElencoIva(db::Database& archivio) {
    return ElencoDaQuery(archivio, "SELECT descrizione FROM ivacodici ORDER BY descrizione");
}

std::vector<ui::ComboRow> ElencoPagamenti(db::Database& archivio) {
    return ElencoDaQuery(archivio, "SELECT descrizione FROM codicipagamento ORDER BY descrizione");
}

std::vector<ui::ComboRow> ElencoContiPatrimoniali(db::Database& archivio) {
    return ElencoDaQuery(archivio,
                  "SELECT descrizione FROM pianodeiconti WHERE codice NOT LIKE ? ESCAPE '\\' AND natura = ? "
                  "ORDER BY descrizione",
                  {db::likePattern("*.0000"), "P"});
}
