#include "platform/system/Paths.h"

#include <QProcess>
#include <QSysInfo>

namespace sys {

namespace {
std::optional<QString> gHostOverride;
}

QString HostName() { return gHostOverride ? *gHostOverride : QSysInfo::machineHostName(); }

void OverrideHostName(std::optional<QString> name) { gHostOverride = std::move(name); }

QString LocalPath(const QString& storedPath) {
    QString p = storedPath;
    p.replace('\\', '/');
    if (!p.startsWith("//")) return p;

    const QStringList parts = p.mid(2).split('/');
    const QString host = parts.value(0);
    const QString share = parts.value(1);
    const QString rest = parts.mid(2).join('/');
    if (host.compare(HostName(), Qt::CaseInsensitive) == 0) return "/" + parts.mid(1).join('/');

    QString root = qEnvironmentVariable("FASCOLE_MOUNT_ROOT", "/mnt");
    while (root.endsWith('/') && root.size() > 1) root.chop(1);
    QString mapped = root + "/" + host;
    if (!share.isEmpty()) mapped += "/" + share;
    if (!rest.isEmpty()) mapped += "/" + rest;
    return mapped;
}

QString NetworkPath(const QString& host, const QString& path) {
    if (path.startsWith("\\\\")) return path;
    if (path.startsWith('/')) return "\\\\" + host + QString(path).replace('/', '\\');
    // A drive path: the letter is the share, the colon goes.
    return "\\\\" + host + "\\" + path.left(1) + path.mid(2);
}

QString OwnPath(const QString& path, const QString& host) {
    const QString head = "\\\\" + host + "\\";
    if (host.isEmpty() || !path.startsWith(head) || path.size() == head.size()) return path;
    return "/" + path.mid(head.size()).replace('\\', '/');
}

bool StartProgram(const QString& program, const QStringList& arguments) {
    if (program.trimmed().isEmpty()) return false;
    return QProcess::startDetached(LocalPath(program), arguments);
}

}  // namespace sys
