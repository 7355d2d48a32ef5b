#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace sys {

// The file-system path on this machine for a path as the program stores it.
// "\" separators become "/". A network path "\\HOST\SHARE\rest" names this machine's own
// file "/rest" when HOST is this machine, otherwise the file "rest" under the mount root
// (FASCOLE_MOUNT_ROOT, default "/mnt") as "<root>/HOST/SHARE/rest".
QString LocalPath(const QString& storedPath);

// This machine's network name ("" when the system gives none).
QString HostName();
// Tests stand in another answer for HostName(); an unset optional restores the real one.
void OverrideHostName(std::optional<QString> name);

// Starts another program without waiting for it; false when it could not be started.
bool StartProgram(const QString& program, const QStringList& arguments = {});

}  // namespace sys
