#include "platform/ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

bool installItalianQtTranslations() {
    // Owned by the application: the texts are looked up for as long as it runs.
    auto* traduzioni = new QTranslator(QCoreApplication::instance());
    // "qt_it" gathers the translations of every Qt module installed, qtbase among them.
    if (!traduzioni->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduzioni;
        return false;
    }
    return QCoreApplication::installTranslator(traduzioni);
}

}  // namespace ui
