#pragma once
#include <QString>

// The running program's version, "major.minor.revision", fixed by the build.
QString VersioneDelProgramma();

// Compares two versions "major.minor.revision": negative when `a` is older than `b`, zero
// when equal, positive when newer. Made of whole numbers, they compare number by number
// (1.2.10 is newer than 1.2.9) and a version that is the start of the other is the older;
// anything else (an empty or damaged text) compares as plain text, so "" is the oldest.
int ConfrontaVersioni(const QString& a, const QString& b);
