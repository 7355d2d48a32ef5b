#include "foundation/engine/RigaLetta.h"

#include <stdexcept>

#include "platform/db/DbError.h"

namespace {

std::string elenco(const std::vector<std::string>& colonne, const std::string& dopo, const std::string& tra) {
    std::string testo;
    for (const std::string& c : colonne) testo += (testo.empty() ? "" : tra) + c + dopo;
    return testo;
}

// The key compared as the table compares it; the other columns exactly, Null included, so
// that a change of case or from empty to Null counts as a change.
std::string condizione(const FormaRiga& forma) {
    std::string c = elenco(forma.chiave, " = ?", " AND ");
    for (const std::string& colonna : forma.altre) c += " AND " + colonna + " IS ? COLLATE BINARY";
    return c;
}

void controllaForma(const FormaRiga& forma, const ValoriLetti& letti) {
    if (letti.size() != forma.chiave.size() + forma.altre.size())
        throw std::logic_error("a row of " + forma.tabella + " written back without the values it was read with");
}

// Nothing was written: tells the user why.
[[noreturn]] void conflitto(db::Database& archivio, const FormaRiga& forma, const ValoriLetti& letti) {
    const db::Params chiave(letti.begin(), letti.begin() + long(forma.chiave.size()));
    if (archivio.scalar("SELECT 1 FROM " + forma.tabella + " WHERE " + elenco(forma.chiave, " = ?", " AND "), chiave)
            .isNull())
        throw db::err::recordDeleted();
    throw db::err::dataChanged();
}

}  // namespace

std::string ColonneLette(const FormaRiga& forma) {
    std::string colonne = elenco(forma.chiave, "", ", ");
    for (const std::string& c : forma.altre) colonne += ", " + c;
    return colonne;
}

void AggiornaRigaLetta(db::Database& archivio, const FormaRiga& forma, ValoriLetti& letti, const Campi& nuovi) {
    controllaForma(forma, letti);
    std::string assegna;
    db::Params parametri;
    for (const auto& [colonna, valore] : nuovi) {
        assegna += (assegna.empty() ? "" : ", ") + colonna + " = ?";
        parametri.push_back(valore);
    }
    parametri.insert(parametri.end(), letti.begin(), letti.end());

    db::Transaction scrittura(archivio);
    if (archivio.execute("UPDATE " + forma.tabella + " SET " + assegna + " WHERE " + condizione(forma), parametri) ==
        0)
        conflitto(archivio, forma, letti);
    // Read back as stored: the column's type may have turned a value into another form.
    ValoriLetti nuoviLetti;
    {
        db::Statement riletta(archivio,
                              "SELECT " + ColonneLette(forma) + " FROM " + forma.tabella + " WHERE " +
                                  elenco(forma.chiave, " = ?", " AND "),
                              db::Params(letti.begin(), letti.begin() + long(forma.chiave.size())));
        if (riletta.step())
            for (int i = 0; i < riletta.columnCount(); ++i) nuoviLetti.push_back(riletta.column(i));
    }
    scrittura.commit();
    letti = std::move(nuoviLetti);
}

void CancellaRigaLetta(db::Database& archivio, const FormaRiga& forma, const ValoriLetti& letti) {
    controllaForma(forma, letti);
    db::Transaction scrittura(archivio);
    if (archivio.execute("DELETE FROM " + forma.tabella + " WHERE " + condizione(forma), letti) == 0)
        conflitto(archivio, forma, letti);
    scrittura.commit();
}
