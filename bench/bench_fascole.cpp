// The case-file mask on a busy office's archive and on one ten times larger. "10x": 2,000
// clients, 20,000 case files, 60,000 tasks and as many jobs, 200,000 fee items; "100x": 20,000
// clients and 200,000 case files (opened over three years) with as many tasks, jobs and fee
// items each.
//
// Each of the program's operations is measured beside the same SQL run straight on SQLite
// (the "Grezza" benchmarks: prepare, bind, step every row and fetch every column), so that
// the cost the program adds on top of its queries can be read off one run:
// - the search that returns every case file (RICERCA with state "Tutte"): the search query,
//   the client names of the tree, and the display of the first case file with its tasks and
//   fee items;
// - the client tree rebuilt from a search result and laid out in its view: the client names;
// - the first opening of a case file in the tree: its tasks and jobs;
// - the display of one case file with its fee grid;
// - the display of a case file holding 2,000 fee items, its fee grid filled, taken in turns
//   with its raw queries.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <QWindow>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <array>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "ATurni.h"
#include "BenchMain.h"
#include "Dipinti.h"
#include "Grezzo.h"
#include "app/MontaggioFinestra.h"
#include "casefiles/engine/RicercaFascole.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "fees/engine/CompetenzeFascola.h"
#include "fixtures/ArchivioGrande.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "platform/system/Paths.h"
#include "platform/ui/Grid.h"
#include "startup/engine/Versione.h"

namespace {

// One archive and one started program per size, built when a benchmark first asks for it.
struct Programma {
    explicit Programma(const fixtures::DimensioniArchivio& dimensioni) {
        archivio = cartella.filePath("fascole.mdb");
        {
            fixtures::CaseFileArchive fascole(archivio);
            fascole.setParameters({});
            fixtures::RiempiArchivioGrande(fascole.db(), dimensioni);
        }
        QFile ini(cartella.filePath("Fascola.ini"));
        ini.open(QIODevice::WriteOnly);
        for (const QString& riga : {archivio, QString("NO"), QString("NO"), VersioneDelProgramma()})
            ini.write(riga.toLocal8Bit() + "\r\n");
        ini.close();
        sys::OverrideHostName(QStringLiteral("PCBENCH"));
        finestra = std::make_unique<FrmFascola>();
        MontaggioFinestra(*finestra);
        finestra->Form_Load(cartella.path());
        ambiente = AmbienteLavoro();
        finestra->resize(1024, 720);
        finestra->show();
        // The left column shows the tree, so that its cost includes laying out what shows.
        finestra->findChild<QAction*>("BarraIcone_4")->trigger();
    }

    MascheraFascola& maschera() { return *finestra->Maschera; }

    // The program-wide session on this archive again: starting the other program pointed it
    // at that one's.
    Programma& attiva() {
        AmbienteLavoro() = ambiente;
        return *this;
    }

    // RICERCA from the search mask with state "Tutte": every case file.
    void cercaTutte() {
        maschera().AnnullaAzione();
        maschera().OptTutte->setChecked(true);
        maschera().CmdRicercaFascola->click();
    }

    // The tree rebuilt from the search result and laid out in its view.
    void albero() {
        maschera().DefinizioneAlberoClienti();
        finestra->TrvFascole->doItemsLayout();
        finestra->TrvFascole->viewport()->repaint();
    }

    QTemporaryDir cartella;
    QString archivio;
    AmbienteLavoroRec ambiente;
    std::unique_ptr<FrmFascola> finestra;
};

// Let go before the application object, which their windows need while they close.
std::unique_ptr<Programma> gProgramma10, gProgramma100;

Programma& programma10() {
    if (!gProgramma10) gProgramma10 = std::make_unique<Programma>(fixtures::DimensioniArchivio{});
    return gProgramma10->attiva();
}

Programma& programma100() {
    if (!gProgramma100)
        gProgramma100 =
            std::make_unique<Programma>(fixtures::DimensioniArchivio{.clienti = 20000, .giorniDiApertura = 1095});
    return gProgramma100->attiva();
}

// The archive opened straight on SQLite, with what the raw queries bind found on it.
class Grezzo : public bench::Grezzo {
public:
    explicit Grezzo(const QString& path) : bench::Grezzo(path, SQLITE_OPEN_READWRITE) {}

    // The client and case number of the first and of the last case file the search finds.
    std::pair<std::array<std::string, 2>, std::array<std::string, 2>> primaEUltima() {
        std::array<std::string, 2> prima, ultima;
        sqlite3_stmt* st = nullptr;
        const std::string sql = ComponiRicerca({}, "cliente, npra")->sql;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr);
        for (bool primo = true; sqlite3_step(st) == SQLITE_ROW; primo = false) {
            ultima = {reinterpret_cast<const char*>(sqlite3_column_text(st, 0)),
                      reinterpret_cast<const char*>(sqlite3_column_text(st, 1))};
            if (primo) prima = ultima;
        }
        sqlite3_finalize(st);
        return {prima, ultima};
    }

    // The distinct client codes of `fascola` in search order, as the one JSON text that the
    // tree's name query binds.
    std::string codiciClienti() {
        std::string json = "[";
        sqlite3_stmt* st = nullptr;
        const std::string sql = ComponiRicerca({}, "cliente")->sql;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr);
        std::string precedente;
        while (sqlite3_step(st) == SQLITE_ROW) {
            const std::string codice = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            if (codice == precedente) continue;
            json += (json.size() > 1 ? ",\"" : "\"") + codice + "\"";
            precedente = codice;
        }
        sqlite3_finalize(st);
        return json + "]";
    }
};

const std::string SqlNomi = "SELECT k.value, m.ragione FROM json_each(?) AS k CROSS JOIN mpxanagrafe AS m "
                            "WHERE m.codice = k.value";

// The queries of one case file's display: the client's name and data, its tasks, its fee items.
int visualizzazioneGrezza(Grezzo& g, const std::string& cliente, const std::string& npra) {
    int righe = g.esegui("SELECT ragione FROM mpxanagrafe WHERE codice = ?", {cliente});
    righe += g.esegui("SELECT * FROM mpxanagrafe WHERE codice = ?", {cliente});
    righe += g.esegui("SELECT cliente, npra, ntask, data, titolo, camponote, stato FROM task "
                      "WHERE cliente = ? AND npra = ? ORDER BY ntask",
                      {cliente, npra});
    righe += g.esegui("SELECT " + ColonneLette(FormaCompetenze()) +
                          " FROM competenze WHERE cliente = ? AND npra = ? ORDER BY ntask, njob, elemento",
                      {cliente, npra});
    return righe;
}

// The raw queries of the search that returns every case file: the search query, the client
// names of the tree, the display of the first case file.
class RicercaGrezza {
public:
    explicit RicercaGrezza(const QString& archivio)
        : g_(archivio),
          codici_(g_.codiciClienti()),
          ricerca_(ComponiRicerca({}, ColonneLette(Fascola::Forma()))->sql),
          prima_(g_.primaEUltima().first) {}

    void operator()() {
        benchmark::DoNotOptimize(g_.esegui(ricerca_));
        benchmark::DoNotOptimize(g_.esegui(SqlNomi, {codici_}));
        benchmark::DoNotOptimize(visualizzazioneGrezza(g_, prima_[0], prima_[1]));
    }

private:
    Grezzo g_;
    std::string codici_, ricerca_;
    std::array<std::string, 2> prima_;
};

void ricercaGrezza(benchmark::State& state, Programma& p) {
    RicercaGrezza grezza(p.archivio);
    for (auto _ : state) grezza();
}

void ricerca(benchmark::State& state, Programma& p) {
    for (auto _ : state) {
        state.PauseTiming();
        p.maschera().AnnullaAzione();
        state.ResumeTiming();
        p.maschera().OptTutte->setChecked(true);
        p.maschera().CmdRicercaFascola->click();
    }
    state.counters["fascole"] = double(p.maschera().NumSelezionati);
    state.counters["nodi"] = double(p.finestra->TrvFascole->model()->rowCount());
}

void alberoGrezzo(benchmark::State& state, Programma& p) {
    Grezzo g(p.archivio);
    const std::string codici = g.codiciClienti();
    for (auto _ : state) benchmark::DoNotOptimize(g.esegui(SqlNomi, {codici}));
}

void albero(benchmark::State& state, Programma& p) {
    p.cercaTutte();
    for (auto _ : state) p.albero();
    state.counters["clienti"] = double(p.finestra->TrvFascole->model()->rowCount() - 1);
}

// The search query alone, raw and through the engine (rows read into the result).
void BM_QueryRicercaGrezza_10x(benchmark::State& state) {
    Grezzo g(programma10().archivio);
    const std::string ricerca = ComponiRicerca({}, ColonneLette(Fascola::Forma()))->sql;
    for (auto _ : state) benchmark::DoNotOptimize(g.esegui(ricerca));
}
BENCHMARK(BM_QueryRicercaGrezza_10x)->Unit(benchmark::kMillisecond)->MinTime(1);

void BM_CercaFascole_10x(benchmark::State& state) {
    programma10();
    for (auto _ : state) benchmark::DoNotOptimize(CercaFascole(*ArchivioInUso(), {}));
}
BENCHMARK(BM_CercaFascole_10x)->Unit(benchmark::kMillisecond)->MinTime(1);

// The search click and its raw queries taken in turns within one loop, so that both meet the
// same load of the machine: "rapporto" is the click's time over the queries' time.
void BM_RicercaAConfronto_10x(benchmark::State& state) {
    Programma& p = programma10();
    RicercaGrezza grezza(p.archivio);
    bench::ATurni confronto;
    for (auto _ : state) {
        p.maschera().AnnullaAzione();
        p.maschera().OptTutte->setChecked(true);
        confronto.giro([&] { grezza(); }, [&] { p.maschera().CmdRicercaFascola->click(); });
    }
    confronto.riporta(state);
}
BENCHMARK(BM_RicercaAConfronto_10x)->Unit(benchmark::kMillisecond)->MinTime(4);

// The same, the click then painted as the event loop's next turn paints it: the layouts it
// asked for, and the fields, grids and tree it changed. Besides the times, what one search
// painted: paint events and pixels.
void BM_RicercaDipintaAConfronto_10x(benchmark::State& state) {
    Programma& p = programma10();
    RicercaGrezza grezza(p.archivio);
    bench::ATurni confronto;
    bench::Registro dipinti(*p.finestra);
    for (auto _ : state) {
        dipinti.attivo = false;
        p.maschera().AnnullaAzione();
        p.maschera().OptTutte->setChecked(true);
        bench::dipingi(*p.finestra);
        dipinti.attivo = true;
        confronto.giro(
            [&] { grezza(); },
            [&] {
                p.maschera().CmdRicercaFascola->click();
                bench::dipingi(*p.finestra);
            });
    }
    confronto.riporta(state);
    bench::riporta(state, dipinti, double(state.iterations()), *p.finestra);
}
BENCHMARK(BM_RicercaDipintaAConfronto_10x)->Unit(benchmark::kMillisecond)->MinTime(4);

void BM_RicercaGrezza_10x(benchmark::State& s) { ricercaGrezza(s, programma10()); }
void BM_Ricerca_10x(benchmark::State& s) { ricerca(s, programma10()); }
void BM_AlberoGrezzo_10x(benchmark::State& s) { alberoGrezzo(s, programma10()); }
void BM_Albero_10x(benchmark::State& s) { albero(s, programma10()); }
void BM_AlberoGrezzo_100x(benchmark::State& s) { alberoGrezzo(s, programma100()); }
void BM_Albero_100x(benchmark::State& s) { albero(s, programma100()); }
void BM_RicercaGrezza_100x(benchmark::State& s) { ricercaGrezza(s, programma100()); }
void BM_Ricerca_100x(benchmark::State& s) { ricerca(s, programma100()); }

BENCHMARK(BM_RicercaGrezza_10x)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Ricerca_10x)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_AlberoGrezzo_10x)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(BM_Albero_10x)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(BM_AlberoGrezzo_100x)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Albero_100x)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_RicercaGrezza_100x)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Ricerca_100x)->Unit(benchmark::kMillisecond)->MinTime(2);

// A case file's node opened for the first time: its tasks and jobs are read and drawn.
void BM_AperturaGrezza_10x(benchmark::State& state) {
    Grezzo g(programma10().archivio);
    const auto prima = g.primaEUltima().first;
    for (auto _ : state) {
        g.esegui("SELECT ntask, titolo FROM task WHERE cliente = ? AND npra = ? ORDER BY ntask", {prima[0], prima[1]});
        g.esegui("SELECT ntask, descrizione, tipo FROM job WHERE cliente = ? AND npra = ? ORDER BY ntask, njob",
                 {prima[0], prima[1]});
    }
}
BENCHMARK(BM_AperturaGrezza_10x)->Unit(benchmark::kMicrosecond);

void BM_Apertura_10x(benchmark::State& state) {
    Programma& p = programma10();
    p.cercaTutte();
    QTreeView& t = *p.finestra->TrvFascole;
    int incarichi = 0;
    for (auto _ : state) {
        state.PauseTiming();
        p.albero();
        const QModelIndex fascola = t.model()->index(0, 0, t.model()->index(1, 0));
        state.ResumeTiming();
        t.expand(fascola);
        incarichi = t.model()->rowCount(fascola);
    }
    state.counters["incarichi"] = double(incarichi);
}
BENCHMARK(BM_Apertura_10x)->Unit(benchmark::kMicrosecond);

void BM_VisualizzazioneGrezza_10x(benchmark::State& state) {
    Grezzo g(programma10().archivio);
    const auto ultima = g.primaEUltima().second;
    for (auto _ : state) benchmark::DoNotOptimize(visualizzazioneGrezza(g, ultima[0], ultima[1]));
}
BENCHMARK(BM_VisualizzazioneGrezza_10x)->Unit(benchmark::kMillisecond);

void BM_Visualizzazione_10x(benchmark::State& state) {
    Programma& p = programma10();
    p.cercaTutte();
    p.maschera().DtaSelezionatiFascola_Validate(MascheraFascola::AzioneUltimo);
    for (auto _ : state) p.maschera().Visualizza();
}
BENCHMARK(BM_Visualizzazione_10x)->Unit(benchmark::kMillisecond);

// One case file shown and what it changed painted as the event loop's next turn paints it:
// the first and the last case file of the search in turns, each brought up as the record
// buttons bring it up and shown, so that every display changes the fields. Besides the time, what one display
// painted: paint events and pixels.
void BM_VisualizzazioneDipinta_10x(benchmark::State& state) {
    Programma& p = programma10();
    p.cercaTutte();
    bench::dipingi(*p.finestra);
    bool ultima = false;
    bench::Registro dipinti(*p.finestra);
    for (auto _ : state) {
        p.maschera().DtaSelezionatiFascola_Validate(ultima ? MascheraFascola::AzioneUltimo
                                                           : MascheraFascola::AzionePrimo);
        ultima = !ultima;
        p.maschera().Visualizza();
        bench::dipingi(*p.finestra);
    }
    bench::riporta(state, dipinti, double(state.iterations()), *p.finestra);
}
BENCHMARK(BM_VisualizzazioneDipinta_10x)->Unit(benchmark::kMillisecond);

// The second case file the search finds given 2,000 fee items (20 tasks of 10 jobs, ten
// elements under each) in place of its own, once; its client and case number.
std::array<std::string, 2> fascolaConDuemilaVoci(Programma& p) {
    static std::array<std::string, 2> fascola;
    if (!fascola[0].empty()) return fascola;
    auto archivio = db::Database::open(p.archivio.toStdString());
    {
        db::Statement st(*archivio, ComponiRicerca({}, "cliente, npra")->sql);
        st.step();
        st.step();
        fascola = {st.column(0).textOr(), st.column(1).textOr()};
    }
    db::Transaction t(*archivio);
    archivio->execute("DELETE FROM competenze WHERE cliente = ? AND npra = ?", {fascola[0], fascola[1]});
    for (int i = 0; i < 2000; ++i) {
        const auto numero = [](int n) { return QString("%1").arg(n, 4, 10, QChar('0')); };
        archivio->execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, descrizione, data, importo, "
                          "impofat, primanota, fatturato, spuntato, pagamento, addebitounitario, fattore) "
                          "VALUES (?, ?, ?, ?, ?, 'Voce', '2004-02-01', ?, ?, ?, ?, 0, '30', ?, ?)",
                          {fascola[0], fascola[1], numero(i / 100), numero(i / 10 % 10), "Z" + std::to_string(i % 10),
                           i % 3 ? 0 : 50 + i % 7, 10 + i % 97, i % 11 == 0, i % 13 == 0, i % 3 == 1 ? 12.5 : 0,
                           i % 3 == 1 ? "3" : ""});
    }
    t.commit();
    return fascola;
}

// The mask on the second case file of the search, so that Visualizza shows it.
void suDuemilaVoci(Programma& p) {
    fascolaConDuemilaVoci(p);
    p.cercaTutte();
    p.maschera().DtaSelezionatiFascola_Validate(MascheraFascola::AzioneSuccessivo);
}

// Showing the case file with 2,000 fee items and the same queries run raw, in turns within
// one loop: "rapporto" is the display's time over the queries' time.
void BM_VisualizzazioneDuemilaVociAConfronto_10x(benchmark::State& state) {
    Programma& p = programma10();
    const auto fascola = fascolaConDuemilaVoci(p);
    suDuemilaVoci(p);
    Grezzo g(p.archivio);
    bench::ATurni confronto;
    int voci = 0;
    for (auto _ : state)
        confronto.giro([&] { voci = visualizzazioneGrezza(g, fascola[0], fascola[1]); },
                       [&] { p.maschera().Visualizza(); });
    confronto.riporta(state);
    state.counters["righe_griglia"] = double(p.finestra->findChild<ui::Grid*>("C_FlxCompetenze")->rows() - 1);
    benchmark::DoNotOptimize(voci);
}
BENCHMARK(BM_VisualizzazioneDuemilaVociAConfronto_10x)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_VisualizzazioneDuemilaVoci_10x(benchmark::State& state) {
    Programma& p = programma10();
    suDuemilaVoci(p);
    for (auto _ : state) p.maschera().Visualizza();
}
BENCHMARK(BM_VisualizzazioneDuemilaVoci_10x)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [] {
        gProgramma100.reset();
        gProgramma10.reset();
    });
}
