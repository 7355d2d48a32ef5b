#include "startup/engine/Versione.h"

#include <gtest/gtest.h>

TEST(Versione, TheRunningVersionComesFromTheBuild) {
    EXPECT_EQ(VersioneDelProgramma(), QString("%1.%2.%3")
                                          .arg(FASCOLE_VERSION_MAJOR)
                                          .arg(FASCOLE_VERSION_MINOR)
                                          .arg(FASCOLE_VERSION_PATCH));
}

TEST(Versione, VersionsCompareNumberByNumber) {
    struct Caso {
        const char* a;
        const char* b;
        int segno;
    };
    const Caso casi[] = {
        {"1.2.9", "1.2.10", -1},   // not as texts: 10 is above 9
        {"1.2.10", "1.2.9", 1},
        {"1.10.0", "1.9.5", 1},
        {"2.0.0", "10.0.0", -1},
        {"3.1.4", "3.1.4", 0},
        {"3.1", "3.1.4", -1},      // the start of a version is older than it
        {"", "0.0.0", -1},         // a file without a version is the oldest
        {"", "", 0},
        {"abc", "1.0.0", 1},       // a damaged text compares as text
    };
    for (const Caso& c : casi) {
        const int r = ConfrontaVersioni(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.segno) << c.a << " vs " << c.b;
    }
}
