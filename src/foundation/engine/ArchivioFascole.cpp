#include "foundation/engine/ArchivioFascole.h"

#include <QCoreApplication>
#include <QFile>
#include <memory>
#include <optional>
#include <stdexcept>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

using db::money;
using db::text;
using db::yesNo;

namespace {

// Key columns refuse the empty text; so do the two columns that always hold a number.
constexpr bool NonVuoto = false;

std::vector<db::Column> colonneAmbienteFascola() {
    std::vector<db::Column> c = {
        yesNo("Registrazione"),
        text("ditta", 30),
        text("esercizio", 4),
        text("registroiva", 1),
        yesNo("numerazioneautomatica"),
        text("numero", 10),
        yesNo("bollo"),
        text("importobollo", 10),
        text("sogliabollo", 10),
        text("criteriobollo", 1),
        yesNo("dettagliofascola"),
        yesNo("ritenutaacconto"),
        text("ritaccperc", 10),
        text("rapercimponibile", 10),
        text("criteriora", 1),
        yesNo("memorizzafattura"),
        yesNo("anteprimastampa"),
        text("rigatestata1", 25),
    };
    for (int i = 2; i <= 6; ++i) c.push_back(text("rigatestata" + std::to_string(i), 40));
    for (int i = 1; i <= 4; ++i) c.push_back(text("nota" + std::to_string(i), 60));
    c.push_back(yesNo("altreritenute"));
    c.push_back(text("altreritperc", 10));
    c.push_back(text("altreritcriterio", 1));
    c.push_back(text("altrerittesto", 25));
    c.push_back(text("altreritpercimponibile", 10));
    return c;
}

std::vector<db::Column> colonneParcli() {
    std::vector<db::Column> c = {text("codice", 13, NonVuoto), text("criterio", 1), text("camponote", 255)};
    for (int i = 1; i <= 8; ++i) {
        c.push_back(text("elemento" + std::to_string(i), 3));
        c.push_back(text("applica" + std::to_string(i), 1));
    }
    return c;
}

std::vector<db::Table> schema() {
    return {
        {"AmbienteFascola", colonneAmbienteFascola(), {}},
        {"Competenze",
         {text("cliente", 13, NonVuoto), text("npra", 4, NonVuoto), text("ntask", 4, NonVuoto),
          text("njob", 4, NonVuoto), text("elemento", 3, NonVuoto), text("descrizione", 50),
          db::date("data"), money("importo"), money("impofat"), yesNo("primanota"), text("darepn", 13),
          text("averepn", 13), text("idpn", 13), yesNo("fatturato"), text("ricavi", 13),
          text("idfattura", 15), yesNo("spuntato"), text("pagamento", 3), money("addebitounitario"),
          text("fattore", 10)},
         {"cliente", "npra", "ntask", "njob", "elemento"}},
        {"Elecli",
         {text("cliente", 13, NonVuoto), text("elemento", 3, NonVuoto), money("importo"), text("pagamento", 3)},
         {"cliente", "elemento"}},
        {"Elefat",
         {text("codice", 3, NonVuoto), text("descrizione", 50), yesNo("accoda"), text("calcolo", 1),
          money("importo"), money("arrotonda"), text("iva", 5), text("ivacee", 5), text("tipo", 1),
          text("contofat", 13), text("dare", 13), text("avere", 13), yesNo("pagamento"),
          text("codicepagamento", 13)},
         {"codice"}},
        {"Job",
         {text("cliente", 13, NonVuoto), text("npra", 4, NonVuoto), text("ntask", 4, NonVuoto),
          text("njob", 4, NonVuoto), text("tipo", 1), text("descrizione", 30), db::date("data"),
          text("idpuntatore", 1), text("puntatore", 50)},
         {"cliente", "npra", "ntask", "njob"}},
        {"Mpxanagrafe",
         {text("codice", 10, NonVuoto), text("ragione", 60), text("indirizzo", 60), text("indirizzo2", 60),
          text("cap", 5), text("localita", 60), text("provincia", 2), text("stato", 2), text("picf", 16),
          text("trasportatore", 10)},
         {"codice"}},
        {"Parcli", colonneParcli(), {"codice"}},
        {"Fascola",
         {text("cliente", 13, NonVuoto), text("npra", 4, NonVuoto), text("camponote", 255), db::date("data"),
          text("criterio", 1), text("rifcli", 20), yesNo("stato"), text("numpranno", 10, NonVuoto)},
         {"cliente", "npra"}},
        {"Task",
         {text("npra", 4, NonVuoto), text("cliente", 13, NonVuoto), text("ntask", 4, NonVuoto),
          db::date("data"), text("camponote", 255), text("titolo", 30), yesNo("stato")},
         {"npra", "cliente", "ntask"}},
        {"Revisione", {text("revisione", 6, NonVuoto)}, {}},
    };
}

// What the error handler is told while each table is being created.
QString descrizioneCreazione(const std::string& tabella) {
    static const std::vector<std::pair<std::string, QString>> testi = {
        {"AmbienteFascola", "Creazione tabella AmbienteFascola"},
        {"Competenze", "Creazione tabella Competenze"},
        {"Elecli", "Creazione tabella Elecli"},
        {"Elefat", "Creazione tabella Elefat"},
        {"Job", "Creazione tabella job"},
        {"Mpxanagrafe", "Creazione tabella MpxAnagrafe"},
        {"Parcli", "Creazione tabella Parcli"},
        {"Fascola", "Creazione tabella Fascola"},
        {"Task", "creazione tabella Task"},
        {"Revisione", "Creazione tabella revisione"},
        {"DocumentiEmessi", "Creazione tabella DocumentiEmessi"},
    };
    for (const auto& [nome, testo] : testi)
        if (nome == tabella) return testo;
    throw std::logic_error("no creation text for " + tabella);
}

// The tables and the revision row in one transaction; true when all of it is committed.
// A statement skipped at the handler's answer counts as a failure: half an archive is of
// no use to anyone.
bool CreaTabelle(db::Database& db, Procedura& creazione) {
    std::optional<db::Transaction> transazione;
    if (!creazione.esegui([&] { transazione.emplace(db); }) || !transazione) return false;

    for (const db::Table& t : SchemaArchivioFascole()) {
        Procedura tabella(descrizioneCreazione(t.name));
        if (!tabella.esegui([&] { db.execute(db::createTableSql(t)); }) || tabella.fallita()) return false;
    }
    Procedura documenti(descrizioneCreazione(TabellaDocumentiEmessi().name));
    for (const std::string& istruzione : IstruzioniDocumentiEmessi())
        if (!documenti.esegui([&] { db.execute(istruzione); }) || documenti.fallita()) return false;
    for (const std::string& indice : IndiciArchivioFascole()) {
        Procedura creazione(descrizioneCreazione("Competenze"));
        if (!creazione.esegui([&] { db.execute(indice); }) || creazione.fallita()) return false;
    }
    // The revision row and the commit still go under the last table's text.
    Procedura revisione(descrizioneCreazione(SchemaArchivioFascole().back().name));
    if (!revisione.esegui([&] {
            db.execute("INSERT INTO Revisione (revisione) VALUES (?)", {RevisioneArchivioCorrente});
        }) || revisione.fallita())
        return false;
    return revisione.esegui([&] { transazione->commit(); }) && !revisione.fallita();
}

}  // namespace

const std::vector<std::string>& IndiciArchivioFascole() {
    // The expressions are those the look-ups compare, so that the index serves them.
    static const std::vector<std::string> indici = {
        "CREATE INDEX IF NOT EXISTS competenze_idfattura ON competenze (idfattura, cliente)",
        "CREATE INDEX IF NOT EXISTS competenze_numero_documento ON competenze "
        "(substr(idfattura, 11, 5), substr(idfattura, 5, 2))",
    };
    return indici;
}

const db::Table& TabellaDocumentiEmessi() {
    static const db::Table tabella{"DocumentiEmessi",
                                   {text("cliente", 13, NonVuoto), text("idfattura", 15, NonVuoto),
                                    text("lettera", 1), text("registrazione", 5), ColonnaCompetenzeFatturate()},
                                   {"cliente", "idfattura"}};
    return tabella;
}

db::Column ColonnaCompetenzeFatturate() { return yesNo("competenzefatturate"); }

const char* const CompetenzeDelDocumentoEmesso =
    "EXISTS (SELECT 1 FROM competenze AS c WHERE c.idfattura = DocumentiEmessi.idfattura AND c.cliente = "
    "DocumentiEmessi.cliente)";

void CompletaDocumentiEmessi(db::Database& archivio) {
    const std::string colonna = ColonnaCompetenzeFatturate().name;
    if (archivio.columnExists(TabellaDocumentiEmessi().name, colonna)) return;
    // Looked at again under the write lock: another workstation starting at the same moment may
    // have added it meanwhile.
    db::Transaction t(archivio);
    if (!archivio.columnExists(TabellaDocumentiEmessi().name, colonna)) {
        archivio.execute(db::addColumnSql(TabellaDocumentiEmessi().name, ColonnaCompetenzeFatturate()));
        // What the records already there billed is known only where fee items still carry their
        // identifier; the others are taken for documents of typed lines, which always count.
        archivio.execute(std::string("UPDATE DocumentiEmessi SET competenzefatturate = 1 WHERE ") +
                         CompetenzeDelDocumentoEmesso);
    }
    t.commit();
}

const std::vector<std::string>& IstruzioniDocumentiEmessi() {
    // The index serves the documents of a year that bear a number, as the fee items' does.
    static const std::vector<std::string> istruzioni = {
        db::createTableSql(TabellaDocumentiEmessi(), true),
        "CREATE INDEX IF NOT EXISTS documentiemessi_numero_documento ON DocumentiEmessi "
        "(substr(idfattura, 11, 5), substr(idfattura, 5, 2))",
    };
    return istruzioni;
}

const std::vector<db::Table>& SchemaArchivioFascole() {
    static const std::vector<db::Table> tabelle = schema();
    return tabelle;
}

QString NomeArchivioInCostruzione(const QString& Percorso) { return sys::TemporaryName(Percorso); }

void DefinizioneDataBase() {
    ChiudiSessione();
    const QString percorso = AmbienteLavoro().PathArchivioFascole;
    const QString locale = sys::LocalPath(percorso);
    const QString costruzione = NomeArchivioInCostruzione(percorso);
    Procedura creazione("Sub di definizione Data Base gestione fascole");

    // An archive under the name already is never touched.
    if (!creazione.esegui([&] {
            if (QFile::exists(locale)) throw db::DbError(db::err::DatabaseExists, "Il database esiste già.");
        }) || creazione.fallita())
        return;
    // What a run of this very process left half-built can only be this process's to remove;
    // what a process of this computer that no longer runs left under the name goes too.
    // Another computer's building, or a process still at work, is never touched.
    sys::RemoveFile(sys::LocalPath(costruzione));
    sys::RemoveFile(sys::LocalPath(costruzione) + "-journal");
    sys::RemoveLeftoversOf(locale);

    std::unique_ptr<db::Database> db;
    if (!creazione.esegui([&] { db = db::Database::create(costruzione.toStdString()); }) || !db) return;
    bool completo = CreaTabelle(*db, creazione);
    db.reset();
    // The archive gets its name whole, or not at all. Another workstation that made one under
    // the name in the meantime keeps its own.
    if (completo) {
        completo = creazione.esegui([&] {
            if (!sys::RenameFile(sys::LocalPath(costruzione), locale))
                throw db::DbError(db::err::DatabaseExists, "Il database esiste già.");
        }) && !creazione.fallita();
    }
    if (!completo) sys::RemoveFile(sys::LocalPath(costruzione));
}
