// APPLICA on the invoice tab of the assembled main window, criterion "Ogni voce", on a case
// file with 2,000 unbilled fee items over 40 tasks of 5 jobs each: the selection, the grid
// rows with their headings, every line's VAT, the grid filled and the totals, then the EU
// regime chosen, which draws the grid a second time. Linked to the accounting archive and
// not.
#include <benchmark/benchmark.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "BenchMain.h"
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

void Applica(benchmark::State& state) {
    static Archivio archivio;
    const bool collegato = state.range(0) != 0;
    RipristinaAmbiente();
    RipristinaFatturaInComposizione();
    AmbienteLavoro().PathArchivioFascole = archivio.fascole->path();
    AmbienteLavoro().CollegatoContabilita = collegato;
    AmbienteLavoro().PathArchivioContabile = collegato ? archivio.pathContabile : QString();
    FascolaCorrente().MostraFascola(Cliente, "Rossi Mario S.r.l.", "0001");

    FrmFascola finestra;
    MontaggioFinestra(finestra);
    finestra.show();
    TabFattura& tab = *finestra.findChild<TabFattura*>("TabFattura");
    for (auto _ : state) {
        state.PauseTiming();
        finestra.OptIvaInter->click();
        tab.F_CmdVuota->click();
        tab.F_OptPerOgniVoce->click();
        state.ResumeTiming();
        tab.F_CmdApplicaSelezione->click();
    }
    if (FatturaInComposizione().RigheFattura.NumeroRighe() != Voci || tab.F_FlxFattura->rows() < Voci)
        state.SkipWithError("the document does not hold every item");
    state.counters["righe_griglia"] = tab.F_FlxFattura->rows() - 1;
    RipristinaFatturaInComposizione();
    RipristinaFascolaCorrente();
    RipristinaAmbiente();
}
BENCHMARK(Applica)->Arg(0)->Arg(1)->ArgName("collegato")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
