#include "invoice/engine/DettaglioRigaFattura.h"

#include "foundation/engine/ElencoCombo.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

// `testo` followed by blanks, cut to `lunghezza` characters.
QString aLunghezza(const QString& testo, int lunghezza) { return basic::Left(testo + basic::Space(lunghezza), lunghezza); }

}  // namespace

std::vector<ui::ComboRow> ElencoIncarichiFascola(db::Database& sessione, const QString& cliente, const QString& npra) {
    return ElencoDaQuery(sessione, "SELECT ntask FROM task WHERE cliente = ? AND npra = ? ORDER BY ntask", {cliente, npra});
}

std::vector<ui::ComboRow> ElencoLavorazioniIncarico(db::Database& sessione, const QString& cliente,
                                                    const QString& npra, const QString& ntask) {
    return ElencoDaQuery(sessione, "SELECT njob FROM job WHERE cliente = ? AND npra = ? AND ntask = ? ORDER BY njob",
                  {cliente, npra, ntask});
}

std::vector<ui::ComboRow> ElencoContiPrimaNota(db::Database& sessione) {
    return ElencoDaQuery(sessione,
                  "SELECT descrizione, codice FROM pianodeiconti WHERE codice NOT LIKE '%.0000' AND natura = 'P' "
                  "ORDER BY descrizione");
}

QString DefinizionePagamento(db::Database& sessione, bool collegato, const QString& codice) {
    if (!collegato) return {};
    Procedura proc("Funzione di definizione pagamento");
    QString testo;
    proc.esegui([&] {
        db::Statement st(sessione, "SELECT descrizione FROM codicipagamento WHERE codice = ?", {codice});
        if (st.step()) testo = aLunghezza(st.column(0).textOr(QString()), 29);
    });
    return testo;
}

std::optional<QString> DescrizioneCodiceIva(db::Database& sessione, const QString& codice) {
    Procedura proc("Decodifica codice iva - dettaglio elementi in fattura");
    std::optional<QString> testo;
    proc.essenziale([&] {
        db::Statement st(sessione, "SELECT descrizione FROM ivacodici WHERE codice = ?", {codice});
        testo = st.step() ? aLunghezza(st.column(0).textOr(QString()), 25) : CodiceIvaNonDefinito;
    });
    return testo;
}

EsitoNoteCostanti MemorizzaNoteCostanti(db::Database& sessione, const std::array<QString, 4>& note,
                                       const std::array<bool, 4>& costanti) {
    std::string assegnazioni;
    db::Params parametri;
    for (size_t i = 0; i < 4; ++i) {
        if (!costanti[i]) continue;
        assegnazioni += (assegnazioni.empty() ? "nota" : ", nota") + std::to_string(i + 1) + " = ?";
        parametri.push_back(note[i]);
    }
    if (assegnazioni.empty()) return EsitoNoteCostanti::NessunaCostante;

    Procedura proc("Funzione di definizione camponote alla fattura");
    int scritte = 0;
    // The row the start-up reads the notes from: the first one.
    if (!proc.essenziale([&] {
            scritte = sessione.execute("UPDATE ambientefascola SET " + assegnazioni +
                                           " WHERE rowid = (SELECT min(rowid) FROM ambientefascola)",
                                       parametri);
        }))
        return EsitoNoteCostanti::NonMemorizzate;
    return scritte ? EsitoNoteCostanti::Memorizzate : EsitoNoteCostanti::MancaRigaParametri;
}
