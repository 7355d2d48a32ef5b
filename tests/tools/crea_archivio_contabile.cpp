// Writes a sample companies list and accounting archive, to try the program's linked mode
// without the accounting package:
//   crea_archivio_contabile FOLDER [YEAR]
// creates FOLDER/ditte.mdb with company ROSSI and its archive of YEAR (default this year); an
// archive of a recent year carries today's VAT codes 22, 10, 5, 4 and the zero-rate E10
// (exempt), E15 and N8, each with its reference as description.
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <cstdio>

#include "fixtures/AccountingFixture.h"
#include "platform/db/DbError.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "uso: crea_archivio_contabile CARTELLA [ESERCIZIO]\n");
        return 2;
    }
    const QString cartella = QDir(args[1]).absolutePath();
    const QString esercizio = args.value(2, QString::number(QDate::currentDate().year()));
    if (!QDir().mkpath(cartella) || QFile::exists(QDir(cartella).filePath("ditte.mdb"))) {
        std::fprintf(stderr, "%s: cartella non utilizzabile o ditte.mdb già presente\n", qPrintable(cartella));
        return 1;
    }
    try {
        AccountingFixture contab(cartella);
        // The folder itself, not a test's short name of it, which would go with the fixture.
        contab.aggiungiDitta(AccountingFixture::AcronimoCampione, AccountingFixture::IdCampione,
                             cartella + "\\");
        const QString archivio = contab.creaArchivio(AccountingFixture::AcronimoCampione, esercizio);
        std::printf("Elenco ditte:     %s\nArchivio ditta:   %s\nDitta %s, esercizio %s\n",
                    qPrintable(contab.pathDitte()), qPrintable(archivio),
                    qPrintable(AccountingFixture::AcronimoCampione), qPrintable(esercizio));
    } catch (const db::DbError& e) {
        std::fprintf(stderr, "errore %d: %s\n", e.number, e.description.c_str());
        return 1;
    }
    return 0;
}
