// The issue of a 200-line invoice: totals and VAT summary, the register number, the journal
// registration, the invoiced marks of the fee items and the print database, in one transaction
// over both archives; linked to the accounting archive (numbered and posted) and not.
//
// Beside it, the same rows written straight on SQLite: every row the issue inserts or changes
// in the two archives (caught as it writes them) and the print database's rows, written into
// copies of the archives, one transaction per file, through one prepared statement per table,
// as safely on the disk as the issue writes them.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <chrono>
#include <map>
#include <memory>
#include <stdexcept>

#include "BenchMain.h"
#include "DocumentoDuecentoRighe.h"
#include "invoice/engine/EmissioneDocumento.h"

namespace {

bench::DocumentoDuecentoRighe& installazione() {
    static bench::DocumentoDuecentoRighe i;
    return i;
}

void BM_Emissione200Righe(benchmark::State& state) {
    bench::DocumentoDuecentoRighe& inst = installazione();
    DocumentoDaEmettere d = inst.documento;
    d.Ambiente.CollegatoContabilita = state.range(0) != 0;
    int fatturate = 0;
    for (auto _ : state) {
        const std::optional<EsitoEmissione> e = inst.emetti(state, d);
        if (!e) break;
        fatturate = e->CompetenzeFatturate;
    }
    state.counters["competenze"] = fatturate;
}
BENCHMARK(BM_Emissione200Righe)->ArgName("collegato")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// A connection straight on SQLite.
class Connessione {
public:
    explicit Connessione(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error("open " + path.toStdString());
    }
    ~Connessione() { sqlite3_close_v2(db_); }
    Connessione(const Connessione&) = delete;
    Connessione& operator=(const Connessione&) = delete;

    void esegui(const std::string& sql) {
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
    }
    sqlite3_stmt* prepara(const std::string& sql) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_) + (": " + sql));
        return st;
    }
    sqlite3* handle() { return db_; }

private:
    sqlite3* db_ = nullptr;
};

void lega(sqlite3_stmt* st, const std::vector<db::Value>& valori) {
    for (size_t i = 0; i < valori.size(); ++i) {
        const int k = int(i) + 1;
        const auto& raw = valori[i].raw();
        if (std::holds_alternative<std::monostate>(raw)) sqlite3_bind_null(st, k);
        else if (auto v = std::get_if<int64_t>(&raw)) sqlite3_bind_int64(st, k, *v);
        else if (auto v = std::get_if<double>(&raw)) sqlite3_bind_double(st, k, *v);
        else {
            const auto& s = std::get<std::string>(raw);
            sqlite3_bind_text(st, k, s.data(), int(s.size()), SQLITE_STATIC);
        }
    }
}

void passo(Connessione& c, sqlite3_stmt* st) {
    if (sqlite3_step(st) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(c.handle()));
    sqlite3_reset(st);
}

// The rows of one table written the same way: inserted, or changed by their row id.
struct Gruppo {
    std::string tabella, sql;
    bool inserite = false;
    std::vector<int64_t> rowid;
    std::vector<std::vector<db::Value>> valori;
};

// One file's rows: the copy of the archive they go into and its groups.
struct File {
    QString copia;
    std::unique_ptr<Connessione> connessione;
    std::vector<Gruppo> gruppi;
    std::vector<int64_t> inserite;  // row ids the last writing added, per insert group in turn
};

// The rows one linked issue of the document writes, caught once, and written again raw.
class ScrittureGrezze {
public:
    ScrittureGrezze(bench::DocumentoDuecentoRighe& inst, const DocumentoDaEmettere& d) : inst_(inst) {
        db::Database& sessione = inst.sessione->db();
        inst.riprendi();
        // The archives as they are before the issue: the raw writing goes into copies of them.
        std::map<std::string, QString> originali;
        {
            db::Statement elenco(sessione, "SELECT name, file FROM pragma_database_list WHERE name <> 'temp'");
            while (elenco.step()) originali[elenco.column(0).toText()] = elenco.column(1).textOr(QString());
        }
        for (const auto& [schema, path] : originali) {
            const QString copia = inst.cartella.filePath(QString::fromStdString("grezzo_" + schema + ".mdb"));
            QFile::remove(copia);
            if (!QFile::copy(path, copia)) throw std::runtime_error("copy " + path.toStdString());
            file_[schema].copia = copia;
            file_[schema].connessione = std::make_unique<Connessione>(copia);
        }

        struct Tocco {
            int op;
            std::string schema, tabella;
            int64_t rowid;
        };
        std::vector<Tocco> tocchi;
        sqlite3_update_hook(
            sessione.handle(),
            [](void* p, int op, const char* schema, const char* tabella, sqlite3_int64 rowid) {
                static_cast<std::vector<Tocco>*>(p)->push_back({op, schema, tabella, rowid});
            },
            &tocchi);
        const EsitoEmissione e = EmissioneDocumento(sessione, d);
        sqlite3_update_hook(sessione.handle(), nullptr, nullptr);
        if (!e.Emesso()) throw std::runtime_error("the document was not issued");

        // Each row once, as it stands after the issue; inserted when the issue added it.
        std::map<std::tuple<std::string, std::string, int64_t>, bool> viste;
        std::map<std::tuple<std::string, std::string, bool>, size_t> gruppoDi;
        for (const Tocco& t : tocchi) {
            if (t.op == SQLITE_DELETE) throw std::runtime_error("the issue deleted a row");
            const auto chiave = std::make_tuple(t.schema, t.tabella, t.rowid);
            if (viste.count(chiave)) continue;
            viste[chiave] = true;
            const bool inserita = t.op == SQLITE_INSERT;
            db::Statement riga(sessione, "SELECT * FROM \"" + t.schema + "\".\"" + t.tabella + "\" WHERE rowid = ?",
                               {db::Value(static_cast<long long>(t.rowid))});
            if (!riga.step()) throw std::runtime_error("a row written is gone");
            File& f = file_[t.schema];
            const auto g = std::make_tuple(t.schema, t.tabella, inserita);
            if (!gruppoDi.count(g)) {
                std::string colonne, segnaposti, assegnazioni;
                for (int i = 0; i < riga.columnCount(); ++i) {
                    const std::string c = "\"" + riga.columnName(i) + "\"";
                    colonne += (i ? ", " : "") + c;
                    segnaposti += i ? ", ?" : "?";
                    assegnazioni += (i ? ", " : "") + c + " = ?";
                }
                Gruppo nuovo;
                nuovo.inserite = inserita;
                nuovo.tabella = t.tabella;
                nuovo.sql = inserita ? "INSERT INTO \"" + t.tabella + "\" (" + colonne + ") VALUES (" + segnaposti + ")"
                                     : "UPDATE \"" + t.tabella + "\" SET " + assegnazioni + " WHERE rowid = ?";
                gruppoDi[g] = f.gruppi.size();
                f.gruppi.push_back(std::move(nuovo));
            }
            Gruppo& gruppo = f.gruppi[gruppoDi[g]];
            std::vector<db::Value> valori;
            for (int i = 0; i < riga.columnCount(); ++i) valori.push_back(riga.column(i));
            if (!inserita) valori.emplace_back(static_cast<long long>(t.rowid));
            gruppo.rowid.push_back(t.rowid);
            gruppo.valori.push_back(std::move(valori));
            ++righe_;
        }

        // The print database as the issue left it: its tables and rows.
        stampa_ = inst.cartella.filePath("grezzo_stampa.mdb");
        Connessione letta(e.PathArchivioStampa);
        sqlite3_stmt* tabelle = letta.prepara("SELECT name, sql FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
        while (sqlite3_step(tabelle) == SQLITE_ROW) {
            const std::string nome = reinterpret_cast<const char*>(sqlite3_column_text(tabelle, 0));
            tabelleStampa_.push_back(reinterpret_cast<const char*>(sqlite3_column_text(tabelle, 1)));
            Gruppo g;
            g.inserite = true;
            sqlite3_stmt* righe = letta.prepara("SELECT * FROM \"" + nome + "\" ORDER BY rowid");
            std::string segnaposti;
            for (int i = 0; i < sqlite3_column_count(righe); ++i) segnaposti += i ? ", ?" : "?";
            g.sql = "INSERT INTO \"" + nome + "\" VALUES (" + segnaposti + ")";
            while (sqlite3_step(righe) == SQLITE_ROW) {
                std::vector<db::Value> valori;
                for (int i = 0; i < sqlite3_column_count(righe); ++i) {
                    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(righe, i));
                    valori.push_back(t ? db::Value(std::string(t)) : db::Value());
                }
                g.valori.push_back(std::move(valori));
                ++righe_;
            }
            sqlite3_finalize(righe);
            righeStampa_.push_back(std::move(g));
        }
        sqlite3_finalize(tabelle);
    }

    // Rows written by one writing.
    int righe() const { return righe_; }

    // The copies as they were before the issue: the marks taken off, the rows added gone, no
    // print database.
    void riprendi() {
        for (auto& [schema, f] : file_) {
            Connessione& c = *f.connessione;
            c.esegui("BEGIN");
            if (schema == "main") c.esegui("UPDATE competenze SET fatturato = 0, idfattura = NULL");
            size_t k = 0;
            for (const Gruppo& g : f.gruppi) {
                if (!g.inserite || f.inserite.empty()) continue;
                sqlite3_stmt* via = c.prepara("DELETE FROM \"" + g.tabella + "\" WHERE rowid = ?");
                for (size_t i = 0; i < g.valori.size(); ++i, ++k) {
                    sqlite3_bind_int64(via, 1, f.inserite.at(k));
                    passo(c, via);
                }
                sqlite3_finalize(via);
            }
            c.esegui("COMMIT");
            f.inserite.clear();
        }
        QFile::remove(stampa_);
    }

    // Every row written raw: the archives one transaction each, then the print database.
    void scrivi() {
        for (auto& [schema, f] : file_) {
            Connessione& c = *f.connessione;
            c.esegui("BEGIN IMMEDIATE");
            for (const Gruppo& g : f.gruppi) {
                sqlite3_stmt* st = c.prepara(g.sql);
                for (const auto& valori : g.valori) {
                    lega(st, valori);
                    passo(c, st);
                    if (g.inserite) f.inserite.push_back(sqlite3_last_insert_rowid(c.handle()));
                }
                sqlite3_finalize(st);
            }
            c.esegui("COMMIT");
        }
        // Kept on the disk when committed, as the issue keeps it: the document's copy.
        Connessione p(stampa_);
        p.esegui("BEGIN IMMEDIATE");
        for (const std::string& sql : tabelleStampa_) p.esegui(sql);
        for (const Gruppo& g : righeStampa_) {
            sqlite3_stmt* st = p.prepara(g.sql);
            for (const auto& valori : g.valori) {
                lega(st, valori);
                passo(p, st);
            }
            sqlite3_finalize(st);
        }
        p.esegui("COMMIT");
    }

private:
    bench::DocumentoDuecentoRighe& inst_;
    std::map<std::string, File> file_;
    QString stampa_;
    std::vector<std::string> tabelleStampa_;
    std::vector<Gruppo> righeStampa_;
    int righe_ = 0;
};

// The linked issue and the same rows written raw, in turns within one loop, so that both meet
// the same load of the machine and of the disk: the time is the issue's; "grezzo_ms" the raw
// writing's, "rapporto" the time over it.
void BM_Emissione200RigheAConfronto(benchmark::State& state) {
    bench::DocumentoDuecentoRighe& inst = installazione();
    DocumentoDaEmettere d = inst.documento;
    d.Ambiente.CollegatoContabilita = true;
    ScrittureGrezze grezze(inst, d);
    using Orologio = std::chrono::steady_clock;
    Orologio::duration grezzo{}, nostro{};
    for (auto _ : state) {
        inst.riprendi();
        grezze.riprendi();
        const auto t0 = Orologio::now();
        grezze.scrivi();
        const auto t1 = Orologio::now();
        const EsitoEmissione e = EmissioneDocumento(inst.sessione->db(), d);
        const auto t2 = Orologio::now();
        if (!e.Emesso()) {
            state.SkipWithError("the document was not issued");
            break;
        }
        grezzo += t1 - t0;
        nostro += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
    const double n = double(std::max<int64_t>(1, state.iterations()));
    state.counters["righe"] = grezze.righe();
    state.counters["grezzo_ms"] = std::chrono::duration<double, std::milli>(grezzo).count() / n;
    state.counters["nostro_ms"] = std::chrono::duration<double, std::milli>(nostro).count() / n;
    state.counters["rapporto"] = grezzo.count() ? double(nostro.count()) / double(grezzo.count()) : 0.0;
}
BENCHMARK(BM_Emissione200RigheAConfronto)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
