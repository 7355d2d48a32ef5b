#include <gtest/gtest.h>

#include <QFileInfo>

#include "accounting/engine/SchemaContabile.h"
#include "fixtures/AccountingFixture.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "support/TempDir.h"

// The sample archive is what later tests build on: it must hold every table and column the
// program uses, and the kinds of rows the look-ups, numbering and posting distinguish.
TEST(AccountingFixture, SampleArchiveHoldsEveryTableAndTheRowsTestsRelyOn) {
    TempDir dir;
    AccountingFixture contab(dir.path());
    const QString path = contab.creaCampione();
    EXPECT_EQ(path, dir.path() + "\\ROSSI\\00007_2004.mdb");
    ASSERT_TRUE(QFileInfo::exists(sys::LocalPath(path)));

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
              (dir.path() + "\\").toStdString());
}
