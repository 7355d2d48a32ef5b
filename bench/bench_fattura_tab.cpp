// APPLICA on the invoice tab of the assembled main window, criterion "Ogni voce", on a case
// file with 2,000 unbilled fee items of 30 catalogue elements over 40 tasks of 5 jobs each:
// the selection, the grid rows with their headings, every line's VAT, the EU regime chosen,
// the grid filled once and the totals; the window is shown but not painted. Linked to the
// accounting archive and not.
//
// ApplicaDipinta: the same click with the invoice page on the screen, then painted as the
// event loop paints it on its next turn; the goal is one frame (16 ms).
//
// Beside them, ApplicaGrezza: the same reads done raw on SQLite (prepare, bind, step every row
// and fetch every column): the select of the items, then one select per distinct catalogue
// element, per distinct task and per distinct job and, linked, per distinct VAT code.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>
#include <set>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "Dipinti.h"
#include "Grezzo.h"
#include "app/MontaggioFinestra.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/RigheFattura.h"
#include "invoice/forms/TabFattura.h"
#include "platform/db/Database.h"
#include "platform/system/Paths.h"
#include "platform/ui/Grid.h"

namespace {

constexpr int Voci = 2000;
const QString Cliente = QStringLiteral("01.01.01.0001");

struct Archivio {
    Archivio() {
        contab = std::make_unique<AccountingFixture>(cartella.path());
        pathContabile = contab->creaCampione();
        fascole = std::make_unique<fixtures::CaseFileArchive>(cartella.filePath("fascole.mdb"));
        db::Database& d = fascole->db();
        db::Transaction t(d);
        const char* calcoli[] = {"F", "U", "P", "R", "R"};
        const char* tipi[] = {"X", "X", "X", "C", "A"};
        const char* iva[] = {"20", "10", "4", "20", "E15"};
        for (int e = 0; e < 30; ++e)
            fascole->addCatalogueItem(QString("E%1").arg(e, 2, 10, QChar('0')),
                                      {{"descrizione", QString("Elemento %1").arg(e).toStdString()},
                                       {"calcolo", calcoli[e % 5]},
                                       {"tipo", tipi[e % 5]},
                                       {"importo", 100},
                                       {"iva", iva[e % 5]},
                                       {"ivacee", iva[(e + 1) % 5]}});
        fascole->addCaseFile(Cliente, "0001", "2004-01-10", {{"stato", true}});
        for (int k = 1; k <= 40; ++k) {
            const QString ntask = QString("%1").arg(k, 4, 10, QChar('0'));
            fascole->addTask(Cliente, "0001", ntask, {{"titolo", ("Incarico " + ntask).toStdString()}});
            for (int j = 1; j <= 5; ++j)
                fascole->addJob(Cliente, "0001", ntask, QString("%1").arg(j, 4, 10, QChar('0')),
                                {{"descrizione", "Lavorazione"}});
        }
        for (int i = 0; i < Voci; ++i) {
            const QString ntask = QString("%1").arg(i / 50 + 1, 4, 10, QChar('0'));
            const QString njob = QString("%1").arg(i % 50 / 10 + 1, 4, 10, QChar('0'));
            fascole->addFeeItem(Cliente, "0001", ntask, njob, QString("E%1").arg(i % 10 * 3 + i / 50 % 3, 2, 10, QChar('0')),
                                {{"descrizione", "Voce da fatturare"},
                                 {"data", "2004-02-01"},
                                 {"impofat", 10 + i % 97 + 0.25},
                                 {"pagamento", "R30"}});
        }
        t.commit();
        fascole->close();
    }

    QTemporaryDir cartella;
    std::unique_ptr<AccountingFixture> contab;
    QString pathContabile;
    std::unique_ptr<fixtures::CaseFileArchive> fascole;
};

// One archive for both benchmarks.
Archivio& archivioDiProva() {
    static Archivio archivio;
    return archivio;
}

// The program-wide environment on the archive, linked to the accounting archive or not, with
// its case file shown and no document in composition.
void suArchivioDiProva(bool collegato) {
    Archivio& archivio = archivioDiProva();
    RipristinaAmbiente();
    RipristinaFatturaInComposizione();
    AmbienteLavoro().PathArchivioFascole = archivio.fascole->path();
    AmbienteLavoro().CollegatoContabilita = collegato;
    AmbienteLavoro().PathArchivioContabile = collegato ? archivio.pathContabile : QString();
    FascolaCorrente().MostraFascola(Cliente, "Rossi Mario S.r.l.", "0001");
}

void ripristina() {
    RipristinaFatturaInComposizione();
    RipristinaFascolaCorrente();
    RipristinaAmbiente();
}

// The tab ready for APPLICA: the window's VAT regime option clicked, the document emptied,
// the criterion "Ogni voce".
void pronta(FrmFascola& finestra, TabFattura& tab) {
    finestra.OptIvaInter->click();
    tab.F_CmdVuota->click();
    tab.F_OptPerOgniVoce->click();
}

void controllaDocumento(benchmark::State& state, TabFattura& tab) {
    if (FatturaInComposizione().RigheFattura.NumeroRighe() != Voci || tab.F_FlxFattura->rows() < Voci)
        state.SkipWithError("the document does not hold every item");
}

void Applica(benchmark::State& state) {
    suArchivioDiProva(state.range(0) != 0);

    FrmFascola finestra;
    MontaggioFinestra(finestra);
    finestra.show();
    TabFattura& tab = *finestra.findChild<TabFattura*>("TabFattura");
    for (auto _ : state) {
        state.PauseTiming();
        pronta(finestra, tab);
        state.ResumeTiming();
        tab.F_CmdApplicaSelezione->click();
    }
    controllaDocumento(state, tab);
    state.counters["righe_griglia"] = tab.F_FlxFattura->rows() - 1;
    ripristina();
}
BENCHMARK(Applica)->Arg(0)->Arg(1)->ArgName("collegato")->Unit(benchmark::kMillisecond);

void ApplicaDipinta(benchmark::State& state) {
    suArchivioDiProva(state.range(0) != 0);

    FrmFascola finestra;
    MontaggioFinestra(finestra);
    finestra.resize(1024, 768);
    finestra.show();
    // The invoice page in front, so that its grid is on the screen.
    for (int i = 0; i < finestra.NellaFascola->count(); ++i) {
        QWidget* pagina = finestra.NellaFascola->widget(i);
        if (pagina == finestra.PaginaFattura() || pagina->isAncestorOf(finestra.PaginaFattura()))
            finestra.NellaFascola->setCurrentIndex(i);
    }
    TabFattura& tab = *finestra.findChild<TabFattura*>("TabFattura");
    bench::Registro griglia(*tab.F_FlxFattura->viewport());
    bench::Registro dipinti(finestra);
    for (auto _ : state) {
        state.PauseTiming();
        griglia.attivo = dipinti.attivo = false;
        pronta(finestra, tab);
        bench::dipingi(finestra);
        griglia.attivo = dipinti.attivo = true;
        state.ResumeTiming();
        tab.F_CmdApplicaSelezione->click();
        bench::dipingi(finestra);
    }
    controllaDocumento(state, tab);
    if (griglia.eventi == 0) state.SkipWithError("the grid was not painted");
    state.counters["griglia_dipinta"] = double(griglia.eventi) / double(state.iterations());
    bench::riporta(state, dipinti, double(state.iterations()), finestra);
    ripristina();
}
BENCHMARK(ApplicaDipinta)->Arg(0)->Arg(1)->ArgName("collegato")->Unit(benchmark::kMillisecond);

using bench::Grezzo;

std::string testo(sqlite3_stmt* st, int c) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
    return t ? std::string(t) : std::string();
}

void ApplicaGrezza(benchmark::State& state) {
    Archivio& archivio = archivioDiProva();
    const bool collegato = state.range(0) != 0;
    const std::string cliente = Cliente.toStdString();
    int voci = 0;
    // Opened once, as the program keeps its session open.
    Grezzo fascole(sys::LocalPath(archivio.fascole->path()));
    std::unique_ptr<Grezzo> contabile;
    if (collegato) contabile = std::make_unique<Grezzo>(sys::LocalPath(archivio.pathContabile));
    for (auto _ : state) {
        std::set<std::string> elementi, incarichi;
        std::set<std::pair<std::string, std::string>> lavorazioni;
        voci = fascole.select(
            "SELECT c.cliente, c.npra, c.ntask, c.njob, c.elemento, c.descrizione, c.data, c.importo, c.impofat, "
            "c.primanota, c.darepn, c.averepn, c.idpn, c.fatturato, c.ricavi, c.idfattura, c.spuntato, c.pagamento, "
            "c.addebitounitario, c.fattore FROM competenze c WHERE c.cliente = ? AND c.npra = ? AND c.fatturato = 0 "
            "ORDER BY c.ntask, c.njob, c.elemento",
            {cliente, "0001"}, [&](sqlite3_stmt* st) {
                elementi.insert(testo(st, 4));
                incarichi.insert(testo(st, 2));
                lavorazioni.insert({testo(st, 2), testo(st, 3)});
            });
        for (const std::string& t : incarichi)
            fascole.select("SELECT titolo FROM task WHERE cliente = ? AND npra = ? AND ntask = ?", {cliente, "0001", t},
                           [](sqlite3_stmt*) {});
        for (const auto& [t, j] : lavorazioni)
            fascole.select("SELECT descrizione FROM job WHERE cliente = ? AND npra = ? AND ntask = ? AND njob = ?",
                           {cliente, "0001", t, j}, [](sqlite3_stmt*) {});
        std::set<std::string> codici;
        for (const std::string& e : elementi)
            fascole.select("SELECT iva, ivacee, tipo FROM elefat WHERE codice = ?", {e},
                           [&](sqlite3_stmt* st) { codici.insert(testo(st, 1)); });
        if (collegato) {
            for (const std::string& c : codici)
                contabile->select("SELECT aliquota, descrizione FROM ivacodici WHERE codice = ?", {c},
                                 [](sqlite3_stmt*) {});
        }
    }
    if (voci != Voci) state.SkipWithError("the select does not read every item");
}
BENCHMARK(ApplicaGrezza)->Arg(0)->Arg(1)->ArgName("collegato")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
