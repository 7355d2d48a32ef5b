// The case-file mask on a busy office's archive (2,000 clients, 20,000 case files, 60,000
// tasks and as many jobs, 200,000 fee items): the search that returns every case file and
// draws the client tree, the tree alone, the first opening of a case file in the tree, and
// the display of one case file with its fee grid.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>

#include "casefiles/forms/AlberoClienti.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "fixtures/ArchivioGrande.h"
#include "fixtures/CaseFileArchive.h"
#include "app/MontaggioFinestra.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "startup/engine/Versione.h"

namespace {

// One archive and one started program for every benchmark of the run.
struct Programma {
    Programma() {
        const QString archivio = cartella.filePath("fascole.mdb");
        {
            fixtures::CaseFileArchive fascole(archivio);
            fascole.setParameters({});
            fixtures::RiempiArchivioGrande(fascole.db());
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
    }

    MascheraFascola& maschera() { return *finestra->Maschera; }

    // RICERCA from the search mask with state "Tutte": every case file.
    void cercaTutte() {
        maschera().OptTutte->setChecked(true);
        maschera().CmdRicercaFascola->click();
    }

    QTemporaryDir cartella;
    std::unique_ptr<FrmFascola> finestra;
};

Programma& programma() {
    static Programma p;
    return p;
}

void BM_RicercaDiTutteLeFascoleConAlbero(benchmark::State& state) {
    Programma& p = programma();
    for (auto _ : state) {
        state.PauseTiming();
        p.maschera().AnnullaAzione();
        state.ResumeTiming();
        p.cercaTutte();
    }
    state.counters["fascole"] = double(p.maschera().NumSelezionati);
    state.counters["nodi"] = double(p.finestra->TrvFascole->topLevelItemCount());
}
BENCHMARK(BM_RicercaDiTutteLeFascoleConAlbero)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_AlberoClientiCompleto(benchmark::State& state) {
    Programma& p = programma();
    p.maschera().AnnullaAzione();
    p.cercaTutte();
    for (auto _ : state) p.maschera().DefinizioneAlberoClienti();
}
BENCHMARK(BM_AlberoClientiCompleto)->Unit(benchmark::kMillisecond)->MinTime(3);

// A case file's node opened for the first time: its tasks and jobs are read and drawn.
void BM_AperturaDiUnaFascolaNellAlbero(benchmark::State& state) {
    Programma& p = programma();
    p.maschera().AnnullaAzione();
    p.cercaTutte();
    QTreeWidgetItem* fascola = p.finestra->TrvFascole->topLevelItem(1)->child(0);
    for (auto _ : state) {
        state.PauseTiming();
        fascola->setExpanded(false);
        qDeleteAll(fascola->takeChildren());
        state.ResumeTiming();
        fascola->setExpanded(true);
    }
    state.counters["incarichi"] = double(fascola->childCount());
}
BENCHMARK(BM_AperturaDiUnaFascolaNellAlbero)->Unit(benchmark::kMicrosecond);

void BM_VisualizzaFascolaConCompetenze(benchmark::State& state) {
    Programma& p = programma();
    p.maschera().AnnullaAzione();
    p.cercaTutte();
    p.maschera().DtaSelezionatiFascola_Validate(MascheraFascola::AzioneUltimo);
    for (auto _ : state) p.maschera().Visualizza();
}
BENCHMARK(BM_VisualizzaFascolaConCompetenze)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
