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
    if (host.compare(HostName(), Qt::CaseInsensitive) == 0) return "/" + rest;

    QString root = qEnvironmentVariable("FASCOLE_MOUNT_ROOT", "/mnt");
    while (root.endsWith('/') && root.size() > 1) root.chop(1);
    QString mapped = root + "/" + host;
    if (!share.isEmpty()) mapped += "/" + share;
    if (!rest.isEmpty()) mapped += "/" + rest;
    return mapped;
}

bool StartProgram(const QString& program, const QStringList& arguments) {
    if (program.trimmed().isEmpty()) return false;
    return QProcess::startDetached(LocalPath(program), arguments);
}

}  // namespace sys
