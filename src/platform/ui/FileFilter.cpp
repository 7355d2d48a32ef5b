#include "platform/ui/FileFilter.h"

namespace ui {

QStringList qtFileFilters(const QString& filter) {
    if (!filter.contains(u'|'))
        return filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);

    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        // Qt reads the patterns from the parentheses that end the description: keep a
        // description that already shows them, otherwise append them.
        const QString shown = QLatin1Char('(') + patterns.join(u' ') + QLatin1Char(')');
        if (description.endsWith(shown))
            result << description;
        else if (description.isEmpty())
            result << shown;
        else
            result << description + QLatin1Char(' ') + shown;
    }
    return result;
}

QString defaultSuffix(const QString& extension) {
    QString suffix = extension.trimmed();
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    if (suffix.contains(u'*') || suffix.contains(u'?'))
        return {};
    return suffix;
}

}  // namespace ui
