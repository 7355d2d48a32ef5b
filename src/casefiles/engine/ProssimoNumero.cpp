#include "casefiles/engine/ProssimoNumero.h"

#include "platform/system/BasicRuntime.h"

std::optional<QString> ProssimoNumero(const std::optional<QString>& ultimo) {
    if (!ultimo) return QStringLiteral("0001");
    const long long successivo = static_cast<long long>(basic::Val(*ultimo)) + 1;
    if (successivo > 9999) return std::nullopt;
    return basic::Right("0000" + QString::number(successivo), 4);
}
