// Several workstations adding case files, tasks and jobs to one archive at the same moment:
// each number is read and used in one write transaction, so both succeed with numbers of
// their own, nobody sees a duplicate-key box, and a workstation that had to wait reads the
// number again.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <future>
#include <thread>

#include "casefiles/engine/Incarichi.h"
#include "casefiles/engine/Lavorazioni.h"
#include "casefiles/engine/NumerazioneFascole.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "support/TempDir.h"

namespace {

const char* const VarArchivio = "FASCOLE_POSTAZIONE_ARCHIVIO";
const char* const VarEsito = "FASCOLE_POSTAZIONE_ESITO";
const char* const VarVia = "FASCOLE_POSTAZIONE_VIA";
constexpr int Giri = 200;

// What one workstation was given: "F npra numpranno", "I ntask", "L njob", one a line.
using Numeri = QStringList;

// One round as the forms run it: each operation under its own error-handler text, so that a
// workstation that finds the archive locked waits silently and tries again. A person clicks
// between one operation and the next; without that pause one process would take the lock
// again before the other's wait comes round, and the two would only take turns.
void giro(Numeri& numeri) {
    NuovaFascola f{"R01", "M", "05/03/2004", " ", "", " ", true, {}};
    EXPECT_EQ(ConfermaNuovaFascola(*ArchivioInUso(), f), EsitoConferma::Registrata);
    numeri << "F " + f.npra + " " + f.numeroAssoluto.numero;
    QThread::msleep(2);

    Incarico incarico;
    incarico.titolo = "Incarico";
    Procedura aggiuntaIncarico("Funzione di definizione nuovo incarico");
    EXPECT_TRUE(aggiuntaIncarico.essenziale([&] { AggiungiIncarico(*ArchivioInUso(), "R01", "0001", incarico); }));
    numeri << "I " + incarico.ntask;
    QThread::msleep(2);

    Lavorazione lavoro;
    lavoro.descrizione = "Lavoro";
    Procedura aggiuntaLavoro("Funzione di aggiunge nuova lavorazione");
    EXPECT_TRUE(aggiuntaLavoro.essenziale([&] { AggiungiLavorazione(*ArchivioInUso(), "R01", "0001", "0001", lavoro); }));
    numeri << "L " + lavoro.njob;
    QThread::msleep(2);
}

// The other workstation: the test below run again as a process of its own, on the first
// one's archive; it says when its session is open, starts when told and writes down the
// numbers it was given.
void altraPostazione(const QProcessEnvironment& ambiente) {
    RipristinaAmbiente();
    AmbienteLavoro().PathArchivioFascole = ambiente.value(VarArchivio);
    *ArchivioInUso();
    QTextStream(stdout) << "pronto" << Qt::endl;
    while (!QFile::exists(ambiente.value(VarVia))) QThread::msleep(1);
    Numeri numeri;
    for (int i = 0; i < Giri; ++i) giro(numeri);
    QFile esito(ambiente.value(VarEsito));
    ASSERT_TRUE(esito.open(QIODevice::WriteOnly));
    esito.write(numeri.join('\n').toUtf8());
    RipristinaAmbiente();
}

class Postazioni : public ::testing::Test {
protected:
    Postazioni() : fascole(cartella.file("fascole.mdb")) {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
        fascole.addTask("R01", "0001", "0001");
        fascole.close();
    }
    ~Postazioni() override { RipristinaAmbiente(); }

    TempDir cartella;
    fixtures::CaseFileArchive fascole;
};

TEST_F(Postazioni, TwoWorkstationsAddingAtOnceNeverShareANumberNorLoseARow) {
    if (QProcessEnvironment::systemEnvironment().contains(VarArchivio))
        return altraPostazione(QProcessEnvironment::systemEnvironment());
    QProcess altra;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(VarArchivio, fascole.path());
    ambiente.insert(VarEsito, cartella.file("esito.txt"));
    ambiente.insert(VarVia, cartella.file("via"));
    altra.setProcessEnvironment(ambiente);
    altra.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    altra.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Postazioni.TwoWorkstationsAddingAtOnceNeverShareANumberNorLoseARow"});
    ASSERT_TRUE(altra.waitForStarted(10000));
    // Its test runner talks first; then it says when its session is open.
    for (bool pronta = false; !pronta;) {
        while (!altra.canReadLine()) ASSERT_TRUE(altra.waitForReadyRead(30000)) << "the other workstation is not ready";
        pronta = altra.readLine().trimmed() == "pronto";
    }

    QFile(cartella.file("via")).open(QIODevice::WriteOnly);
    Numeri nostri;
    for (int i = 0; i < Giri; ++i) giro(nostri);
    ASSERT_TRUE(altra.waitForFinished(120000));
    const QByteArray uscita = altra.readAllStandardOutput();
    ASSERT_EQ(altra.exitCode(), 0) << uscita.toStdString();
    QFile esito(cartella.file("esito.txt"));
    ASSERT_TRUE(esito.open(QIODevice::ReadOnly));
    const Numeri suoi = QString::fromUtf8(esito.readAll()).split('\n');
    ASSERT_EQ(suoi.size(), 3 * Giri);

    // Every number given once; every row there.
    const QSet<QString> dati(nostri.begin(), nostri.end()), avuti(suoi.begin(), suoi.end());
    EXPECT_EQ(dati.size(), 3 * Giri);
    EXPECT_EQ(avuti.size(), 3 * Giri);
    EXPECT_TRUE(!dati.intersects(avuti));
    const Connessione sessione = ArchivioInUso();
    db::Database& archivio = *sessione;
    EXPECT_EQ(archivio.scalar("SELECT count(*) FROM fascola").toInt(), 1 + 2 * Giri);
    EXPECT_EQ(archivio.scalar("SELECT count(DISTINCT numpranno) FROM fascola").toInt(), 1 + 2 * Giri);
    EXPECT_EQ(archivio.scalar("SELECT count(*) FROM task").toInt(), 1 + 2 * Giri);
    EXPECT_EQ(archivio.scalar("SELECT count(*) FROM job").toInt(), 2 * Giri);
    for (const QString& numero : dati + avuti) {
        const QStringList parti = numero.split(' ');
        const db::Value trovato =
            parti[0] == "F"   ? archivio.scalar("SELECT 1 FROM fascola WHERE npra = ? AND numpranno = ?",
                                                {parti[1], parti[2]})
            : parti[0] == "I" ? archivio.scalar("SELECT 1 FROM task WHERE npra = '0001' AND ntask = ?", {parti[1]})
                              : archivio.scalar("SELECT 1 FROM job WHERE ntask = '0001' AND njob = ?", {parti[1]});
        EXPECT_FALSE(trovato.isNull()) << numero.toStdString();
    }
    // The two workstations did add at once: our task numbers are not one block that the
    // other's only preceded or followed.
    std::vector<int> incarichi;
    for (const QString& numero : nostri)
        if (numero.startsWith("I ")) incarichi.push_back(numero.mid(2).toInt());
    EXPECT_GT(*std::max_element(incarichi.begin(), incarichi.end()) -
                  *std::min_element(incarichi.begin(), incarichi.end()) + 1,
              Giri);
}

TEST_F(Postazioni, AWorkstationThatWaitedForTheOtherReadsTheNumberAgain) {
    // The other workstation is in the middle of adding task 0002 when ours adds one.
    std::promise<void> dentro;
    std::thread altra([&] {
        auto db = db::Database::open(fascole.path().toStdString());
        db::Transaction scrittura(*db);
        db->execute("INSERT INTO task (cliente, npra, ntask, titolo) VALUES ('R01', '0001', '0002', 'Suo')");
        dentro.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        scrittura.commit();
    });
    dentro.get_future().wait();
    Incarico nostro;
    nostro.titolo = "Nostro";
    Procedura aggiunta("Funzione di definizione nuovo incarico");
    const bool aggiunto = aggiunta.essenziale([&] { AggiungiIncarico(*ArchivioInUso(), "R01", "0001", nostro); });
    altra.join();
    EXPECT_TRUE(aggiunto);
    EXPECT_EQ(nostro.ntask, "0003");
    EXPECT_EQ(ArchivioInUso()->scalar("SELECT titolo FROM task WHERE ntask = '0002'").toText(), "Suo");
}

}  // namespace
