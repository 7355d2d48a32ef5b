#include <memory>
#include <optional>
#include <stdexcept>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/ArchivioFascole.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/MessageService.h"

namespace {

std::string quoted(const std::string& nome) { return "\"" + nome + "\""; }

void MessaggioIncongruenza() {
    ui::MessageService::show("Esiste una incongruenza nella tabella revisioni del db Fascola, VERIFICARE",
                             "CONTROLLO REVISIONE DB ESERCIZIO");
}

// The column as the current schema states it.
ColonnaArchivio colonnaCorrente(const std::string& tabella, const std::string& colonna) {
    for (const db::Table& t : SchemaArchivioFascole())
        if (t.name == tabella) return {tabella, *t.column(colonna)};
    throw std::logic_error("no table " + tabella);
}

// Archives of the first release printed the task and job headings always.
void AttivaDettaglioFascola(db::Database& db) {
    db.execute("UPDATE AmbienteFascola SET dettagliofascola = 1 "
               "WHERE rowid = (SELECT rowid FROM AmbienteFascola LIMIT 1)");
}

// The absolute case number: the year of the case file, "." and the counter's successor in
// five digits. A case file without a date has no year to give it.
void NumeraFascole(db::Database& db) {
    db.execute("UPDATE Fascola SET numpranno = substr(data, 1, 4) || '.' || "
               "substr('00000' || (contatore + 1), -5) WHERE data IS NOT NULL AND contatore IS NOT NULL");
}

// The revisions from `revisione` to the current one; nothing when the chain does not
// lead from it to there.
std::optional<std::vector<const PassoRevisione*>> Percorso(const QString& revisione) {
    std::vector<const PassoRevisione*> percorso;
    QString corrente = revisione;
    for (const PassoRevisione& passo : PassiRevisioneArchivio()) {
        if (passo.da != corrente) continue;
        percorso.push_back(&passo);
        corrente = passo.a;
    }
    if (corrente != RevisioneArchivioCorrente) return std::nullopt;
    return percorso;
}

// A counter added to a table that has rows numbers them in the order they were written,
// after any number already given.
void NumeraContatore(db::Database& db, const ColonnaArchivio& c) {
    const std::string t = quoted(c.tabella), n = quoted(c.colonna.name);
    db.execute("UPDATE " + t + " SET " + n + " = numerate.numero FROM (SELECT rowid AS riga, "
               "(SELECT coalesce(max(" + n + "), 0) FROM " + t + ") + row_number() OVER (ORDER BY rowid) "
               "AS numero FROM " + t + " WHERE " + n + " IS NULL) AS numerate "
               "WHERE " + t + ".rowid = numerate.riga");
}

// One step and the revision it leads to, in one transaction. Leaving at the handler's
// answer rolls the whole step back; a statement skipped at its answer is left out and the
// step goes on, which is how an archive that an interrupted run of an earlier release left
// half-changed gets past the column that is already there or already gone.
bool EseguiPasso(db::Database& db, const PassoRevisione& passo, int64_t rigaRevisione) {
    Procedura proc("Aggiornamento db Fascola dalla versione " + passo.da);
    std::optional<db::Transaction> transazione;
    if (!proc.esegui([&] { transazione.emplace(db); }) || !transazione) return false;

    for (const ColonnaArchivio& c : passo.aggiunte) {
        if (!proc.esegui([&] { db.execute(db::addColumnSql(c.tabella, c.colonna)); })) return false;
        if (c.colonna.kind == db::Kind::Counter && !proc.esegui([&] { NumeraContatore(db, c); })) return false;
    }
    if (passo.conversione && !proc.esegui([&] { passo.conversione(db); })) return false;
    for (const ColonnaArchivio& c : passo.tolte) {
        if (!proc.esegui([&] {
                db.execute("ALTER TABLE " + quoted(c.tabella) + " DROP COLUMN " + quoted(c.colonna.name));
            }))
            return false;
    }

    Procedura registra("Aggiornamento su db Fascola eseguito, registro su revisione");
    if (!registra.esegui([&] {
            db.execute("UPDATE Revisione SET revisione = ? WHERE rowid = ?", {passo.a, rigaRevisione});
        }) || registra.fallita())
        return false;
    return registra.esegui([&] { transazione->commit(); }) && !registra.fallita();
}

// Brings the archive forward from the revision its first revision row (`rs`) records; false
// when it stops short: an empty table or a revision outside the chain is reported, a step
// left at the handler's answer stays undone.
bool PortaARevisioneCorrente(db::Database& db, std::unique_ptr<db::Recordset> rs) {
    if (rs->EOF_()) {
        MessaggioIncongruenza();
        return false;
    }
    const int64_t riga = rs->field("riga").toInt();
    const QString revisione = rs->field("revisione").textOr(QString());
    rs.reset();
    if (revisione == RevisioneArchivioCorrente) return true;
    // A revision this program does not know is not marked current without its changes.
    const auto percorso = Percorso(revisione);
    if (!percorso) {
        MessaggioIncongruenza();
        return false;
    }
    for (const PassoRevisione* passo : *percorso)
        if (!EseguiPasso(db, *passo, riga)) return false;
    return true;
}

}  // namespace

const std::vector<PassoRevisione>& PassiRevisioneArchivio() {
    // The counter that numbered the case files for one revision only.
    static const ColonnaArchivio contatore{"Fascola", db::counter("contatore")};
    static const std::vector<PassoRevisione> passi = {
        {"011019", "020120", {contatore, colonnaCorrente("AmbienteFascola", "dettagliofascola")}, {},
         AttivaDettaglioFascola},
        {"020120", "030104", {colonnaCorrente("Fascola", "numpranno")}, {contatore}, NumeraFascole},
    };
    return passi;
}

void VerificaRevisioneDb(db::Database& db) {
    Procedura verifica("Sub di di verifica revisione db Fascola");

    // Only the first row counts, and only the first row is rewritten.
    std::unique_ptr<db::Recordset> rs;
    if (!verifica.esegui([&] { rs = db.openRecordset("SELECT rowid AS riga, revisione FROM Revisione LIMIT 1"); }))
        return;
    // Skipped at the handler's answer (the archive has lost its revision table): there is no
    // revision to bring forward, and the check goes on with what follows.
    if (rs && !PortaARevisioneCorrente(db, std::move(rs))) return;
    // Without the table of the documents issued no document can be issued, listed or cancelled,
    // and an index missing only slows the look-ups: a failure here is told and the program goes on.
    Procedura documenti("Aggiornamento db Fascola, tabella DocumentiEmessi");
    for (const std::string& istruzione : IstruzioniDocumentiEmessi())
        if (!documenti.esegui([&] { db.execute(istruzione); })) return;
    if (!documenti.esegui([&] { CompletaDocumentiEmessi(db); })) return;
    Procedura indici("Aggiornamento db Fascola, indici della tabella Competenze");
    for (const std::string& indice : IndiciArchivioFascole())
        if (!indici.esegui([&] { db.execute(indice); })) return;
}
