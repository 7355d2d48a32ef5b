#include "fees/engine/StampaElefat.h"

#include <QFileInfo>
#include <memory>

#include "platform/db/Database.h"
#include "platform/db/Schema.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/Paths.h"

namespace {

constexpr int LarghezzaIva = 40;
constexpr int LarghezzaRicavi = 50;
constexpr int LarghezzaDescrizione = 50;
constexpr int LarghezzaDescrizioneConto = 30;

const db::Table& TabellaDati() {
    static const db::Table t{"Dati",
                             {db::counter("id"), db::text("codice", 3), db::text("descrizione", LarghezzaDescrizione),
                              db::text("tipo", 1), db::text("iva", LarghezzaIva), db::text("ivacee", LarghezzaIva),
                              db::text("importo", 15), db::text("ricavi", LarghezzaRicavi)},
                             {}};
    return t;
}

const db::Table& TabellaTitolo() {
    static const db::Table t{
        "titolo", {db::text("titolo", 80), db::text("Nome", 50), db::text("ditta", 50), db::text("esercizio", 4)}, {}};
    return t;
}

std::unique_ptr<db::Database> ApriOCrea(const QString& path) {
    if (QFileInfo(sys::LocalPath(path)).isFile()) return db::Database::open(path.toStdString());
    return db::Database::create(path.toStdString());
}

// Code, " - " and description, as the list shows a coded value.
QString CodiceEDescrizione(const QString& codice, const QString& descrizione, int larghezza) {
    return basic::Left(codice + " - " + descrizione, larghezza);
}

}  // namespace

int ScriviArchivioStampaElefat(db::Database& archivio, const ArchivioStampaElefat& stampa) {
    std::unique_ptr<db::Database> file = ApriOCrea(stampa.path);
    db::Transaction scrittura(*file);
    // A file left without its tables (a first print that stopped half way) gets them now.
    for (const db::Table* t : {&TabellaDati(), &TabellaTitolo()})
        if (!file->tableExists(t->name)) file->execute(db::createTableSql(*t));
    file->execute("DELETE FROM Dati");
    file->execute("DELETE FROM titolo");
    file->execute("INSERT INTO titolo (titolo, Nome, ditta, esercizio) VALUES (?, ?, ?, ?)",
                  {TitoloStampaElefat, basic::Left(stampa.nome, 50), QString(), QStringLiteral(" ")});

    // The descriptions come with the elements in one read of the catalogue.
    const std::string descrizioni =
        stampa.collegato
            ? ", (SELECT descrizione FROM ivacodici WHERE codice = e.iva LIMIT 1)"
              ", (SELECT descrizione FROM ivacodici WHERE codice = e.ivacee LIMIT 1)"
              ", (SELECT descrizione FROM pianodeiconti WHERE codice = e.contofat LIMIT 1)"
            : ", NULL, NULL, NULL";
    db::Statement elementi(archivio, "SELECT e.codice, e.descrizione, e.tipo, e.importo, e.iva, e.ivacee, e.contofat" +
                                         descrizioni + " FROM elefat e ORDER BY e.codice");
    db::Statement riga(*file, "INSERT INTO Dati (codice, descrizione, tipo, importo, iva, ivacee, ricavi) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?)");
    int scritti = 0;
    while (elementi.step()) {
        auto testo = [&](int i) { return elementi.column(i).textOr(QString()); };
        const QString importo = basic::Format(elementi.column(3).currencyOr(), "###,###,##0.00");
        riga.execute({testo(0), basic::Left(testo(1), LarghezzaDescrizione), basic::Left(testo(2), 1), importo,
                      CodiceEDescrizione(testo(4), testo(7), LarghezzaIva),
                      CodiceEDescrizione(testo(5), testo(8), LarghezzaIva),
                      CodiceEDescrizione(testo(6), basic::Left(testo(9), LarghezzaDescrizioneConto), LarghezzaRicavi)});
        ++scritti;
    }
    scrittura.commit();
    return scritti;
}
