#pragma once
// A new, empty archive created before each test in a temporary folder of the test's own.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/db/Database.h"

class ArchivioNuovo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("archivio.mdb").toStdString();
        db = db::Database::create(path);
    }

    QTemporaryDir dir;
    std::string path;
    std::unique_ptr<db::Database> db;
};
