#include "platform/ui/FileFilter.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(FileFilter, OldFiltersBecomeQtNameFilters) {
    struct Case {
        const char* old;
        QStringList qt;
    };
    const Case cases[] = {
        {"Archivi (*.mdb) |*.mdb|", {"Archivi (*.mdb)"}},
        {"(*.mdb) |*.mdb|", {"(*.mdb)"}},
        {"Archivio Fascole|*.mdb|Tutti i file (*.*)|*.*", {"Archivio Fascole (*.mdb)", "Tutti i file (*.*)"}},
        {"Testi|*.txt;*.ini", {"Testi (*.txt *.ini)"}},
        {"", {}},
        {"Immagini (*.png *.jpg);;Tutti (*)", {"Immagini (*.png *.jpg)", "Tutti (*)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::qtFileFilters(QString::fromUtf8(c.old)), c.qt) << c.old;
}

TEST(FileFilter, DefaultSuffixDropsTheDotAndWildcards) {
    EXPECT_EQ(ui::defaultSuffix(".mdb"), QStringLiteral("mdb"));
    EXPECT_EQ(ui::defaultSuffix("txt"), QStringLiteral("txt"));
    EXPECT_EQ(ui::defaultSuffix(".*"), QString());
    EXPECT_EQ(ui::defaultSuffix(""), QString());
}
