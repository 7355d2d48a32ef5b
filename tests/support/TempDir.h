#pragma once
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A folder of its own for one test, removed with everything in it when the test ends. It lies
// in the temporary folder that TMPDIR names (else /tmp), whose path may be of any length: a
// fixture that stores a folder in a column of limited width stores a short name of it
// (fixtures::CartellaBreve), never this path.
class TempDir {
public:
    TempDir() { EXPECT_TRUE(dir_.isValid()) << dir_.errorString().toStdString(); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};
