#include "startup/engine/Versione.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace {

std::optional<QList<qulonglong>> numeri(const QString& versione) {
    QList<qulonglong> risultato;
    for (const QString& parte : versione.split('.')) {
        bool ok = false;
        const qulonglong n = parte.toULongLong(&ok);
        // Only plain digits: no sign, no blanks.
        if (!ok || parte.isEmpty() || !parte.front().isDigit() || !parte.back().isDigit())
            return std::nullopt;
        risultato << n;
    }
    return risultato;
}

}  // namespace

QString VersioneDelProgramma() {
    return QString::number(FASCOLE_VERSION_MAJOR) + "." + QString::number(FASCOLE_VERSION_MINOR) + "." +
           QString::number(FASCOLE_VERSION_PATCH);
}

int ConfrontaVersioni(const QString& a, const QString& b) {
    const auto na = numeri(a);
    const auto nb = numeri(b);
    if (!na || !nb) return QString::compare(a, b, Qt::CaseSensitive);
    for (qsizetype i = 0; i < na->size() && i < nb->size(); ++i)
        if ((*na)[i] != (*nb)[i]) return (*na)[i] < (*nb)[i] ? -1 : 1;
    if (na->size() == nb->size()) return 0;
    return na->size() < nb->size() ? -1 : 1;
}
