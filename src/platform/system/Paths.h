#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace sys {

// Network paths "\\HOST\SHARE\rest". Each drive of a computer is shared under its letter,
// so "C:\dati" of HOST is "\\HOST\C\dati"; on this platform the first folder of an
// absolute path is the share, so "/srv/dati" of HOST is "\\HOST\srv\dati".

// `path` of computer `host` as other computers reach it; a network path stays as it is.
QString NetworkPath(const QString& host, const QString& path);

// A network path naming computer `host` (exact spelling), written as that computer's own
// path "/SHARE/rest"; any other text is returned unchanged.
QString OwnPath(const QString& path, const QString& host);

// The file-system path on this machine for a path as the program stores it.
// "\" separators become "/". A network path names this machine's own file "/SHARE/rest"
// when HOST is this machine, otherwise the file under the mount root (FASCOLE_MOUNT_ROOT,
// default "/mnt") as "<root>/HOST/SHARE/rest".
QString LocalPath(const QString& storedPath);

// This machine's network name ("" when the system gives none).
QString HostName();
// Tests stand in another answer for HostName(); an unset optional restores the real one.
void OverrideHostName(std::optional<QString> name);

// Starts another program without waiting for it; false when it could not be started.
bool StartProgram(const QString& program, const QStringList& arguments = {});

}  // namespace sys
