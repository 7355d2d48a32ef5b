#pragma once
// A new, empty archive created before each test in a temporary folder of the test's own.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/Database.h"
#include "support/DbErrors.h"

class ArchivioNuovo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("archivio.mdb").toStdString();
        db = db::Database::create(path);
    }

    // A statement with its values and the number of the error it ends with (0: none).
    struct CasoEsecuzione {
        const char* what;
        std::string sql;
        db::Params params;
        int number;
    };

    // Each case run on the archive in turn, its error number checked.
    void eseguiTutti(const std::vector<CasoEsecuzione>& casi) {
        for (const CasoEsecuzione& c : casi)
            EXPECT_EQ(errorOf([&] { db->execute(c.sql, c.params); }), c.number) << c.what;
    }

    QTemporaryDir dir;
    std::string path;
    std::unique_ptr<db::Database> db;
};
