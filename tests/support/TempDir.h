#pragma once
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A folder of its own for one test, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir() { EXPECT_TRUE(dir_.isValid()) << dir_.errorString().toStdString(); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};
