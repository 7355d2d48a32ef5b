#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "accounting/engine/SchemaContabile.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CartellaBreve.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "support/ArrestoProcesso.h"
#include "support/TempDir.h"

// The sample archive is what later tests build on: it must hold every table and column the
// program uses, and the kinds of rows the look-ups, numbering and posting distinguish.
TEST(AccountingFixture, SampleArchiveHoldsEveryTableAndTheRowsTestsRelyOn) {
    TempDir dir;
    AccountingFixture contab(dir.path());
    const QString path = contab.creaCampione();
    EXPECT_EQ(path, contab.dove() + "ROSSI\\00007_2004.mdb");
    ASSERT_TRUE(QFileInfo::exists(sys::LocalPath(path)));
    EXPECT_EQ(QFileInfo(sys::LocalPath(path)).canonicalFilePath(),
              QFileInfo(dir.file("ROSSI/00007_2004.mdb")).canonicalFilePath());

    auto db = AccountingFixture::apri(path);
    for (const db::Table& t : SchemaArchivioContabile())
        for (const db::Column& c : t.columns)
            EXPECT_TRUE(db->columnExists(t.name, c.name)) << t.name << "." << c.name;
    EXPECT_EQ(TabellaArchivioContabile("PARAMETRI")->columns.size(), 54u);

    EXPECT_EQ(db->scalar("SELECT count(*) FROM parametri").toInt(), 1);
    for (const char* natura : {"P", "C", "F"})
        EXPECT_GT(db->scalar("SELECT count(*) FROM pianodeiconti WHERE natura = ? AND codice "
                             "NOT LIKE '%.0000'", {natura}).toInt(), 0) << natura;
    for (const char* livello : {"__.00.00.0000", "__.__.00.0000", "__.__.__.0000"})
        EXPECT_GT(db->scalar("SELECT count(*) FROM pianodeiconti WHERE codice LIKE ?",
                             {livello}).toInt(), 0) << livello;
    EXPECT_EQ(db->scalar("SELECT count(DISTINCT criterionumerazioni) FROM ivaregistri "
                         "WHERE tipo = 'V'").toInt(), 3);
    for (const char* giornale : {"giornale", "giornaledettaglio", "ivadettaglio", "giornalenumero"})
        EXPECT_EQ(db->scalar(std::string("SELECT count(*) FROM ") + giornale).toInt(), 0);

    auto ditte = AccountingFixture::apri(contab.pathDitte());
    EXPECT_EQ(ditte->scalar("SELECT Dove FROM ditte WHERE acronimo = 'rossi'").toText(),
              contab.dove().toStdString());
}

namespace {
int LarghezzaDove() {
    for (const db::Column& c : SchemaDitte().front().columns)
        if (c.name == "Dove") return c.width;
    return 0;
}
}  // namespace

TEST(CartellaBreve, LeadsToItsFolderOnlyWhileItLives) {
    TempDir dir;
    const QString profonda = dir.file(QString(100, 'x'));
    ASSERT_TRUE(QDir().mkpath(profonda));
    QString nome;
    {
        fixtures::CartellaBreve breve(profonda);
        fixtures::CartellaBreve altra(profonda);
        nome = breve.path();
        EXPECT_NE(altra.path(), nome);
        EXPECT_EQ(QFileInfo(nome).canonicalFilePath(), QFileInfo(profonda).canonicalFilePath());
        // With its final "\", as the companies list stores it.
        EXPECT_LE(nome.size() + 1, LarghezzaDove());
    }
    EXPECT_FALSE(QFileInfo(nome).isSymLink());
}

// A test program killed (a timeout, say) cannot remove its short names; they go with the
// next program's, while those of programs still running stay.
TEST(CartellaBreve, NamesOfAProgramKilledGoWhileThoseOfARunningOneStay) {
    const char* varCartella = "FASCOLE_CARTELLA_BREVE";
    if (arresto::Figlio()) {
        fixtures::CartellaBreve breve(qEnvironmentVariable(varCartella));
        std::printf("\nNOME %s\n", qPrintable(breve.path()));
        std::fflush(stdout);
        ::kill(::getpid(), SIGKILL);
    }
    TempDir dir;
    fixtures::CartellaBreve viva(dir.path());
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(varCartella, dir.path());
    const arresto::EsitoFiglio figlio = arresto::Esegui(
        "CartellaBreve.NamesOfAProgramKilledGoWhileThoseOfARunningOneStay", 0, ambiente);
    ASSERT_TRUE(figlio.ucciso) << figlio.uscita.toStdString();
    const qsizetype p = figlio.uscita.lastIndexOf("\nNOME ");
    ASSERT_GE(p, 0) << figlio.uscita.toStdString();
    const QString abbandonata = QString::fromLocal8Bit(figlio.uscita.mid(p + 6).split('\n').first().trimmed());
    ASSERT_TRUE(QFileInfo(abbandonata).isSymLink()) << abbandonata.toStdString();

    EXPECT_GE(fixtures::RimuoviNomiBreviAbbandonati(), 1);

    EXPECT_FALSE(QFileInfo(abbandonata).isSymLink());
    EXPECT_TRUE(QFileInfo(viva.path()).isSymLink());
}
