#include "startup/forms/FrmFascolaINI.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

#include "fixtures/CaseFileArchive.h"
#include "platform/db/Database.h"
#include "startup/engine/FileIni.h"
#include "support/CartellaSolaLettura.h"
#include "support/Files.h"
#include "support/ScriptedMessages.h"
#include "startup/engine/Installazione.h"

using ui::Answer;

namespace {

class SetUpDialog : public Installazione {
protected:
    SetUpDialog() {
        AmbienteLavoro().PathFileIni = pathIni();
        AmbienteLavoro().VersioneProgramma = "3.1.4";
        form.show();
        QApplication::setActiveWindow(&form);
    }

    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        QTest::keyClicks(box, text);
    }

    FrmFascolaINI form;
};

}  // namespace

TEST_F(SetUpDialog, OpensCentredWithTheLinkOffAndItsFrameClosed) {
    EXPECT_EQ(form.windowTitle(), "DEFINIZIONE AMBIENTE LAVORO");
    EXPECT_FALSE(form.ChkZolpa->isChecked());
    EXPECT_FALSE(form.FramZolpa->isEnabled());
    for (QLineEdit* box : {form.TxtFascola, form.TxtCasaZolpa, form.TxtFatture}) EXPECT_TRUE(box->text().isEmpty());
    for (const char* nome : {"Label1", "TxtFascola", "CmdSfoglia1", "ChkZolpa", "FramZolpa", "TxtCasaZolpa",
                             "CmdCasaZolpa", "TxtFatture", "CmdSfoglia3", "CmdConferma", "CmdRinuncia"})
        EXPECT_NE(form.findChild<QWidget*>(nome), nullptr) << nome;
}

TEST_F(SetUpDialog, ConfirmWritesTheFourLinesWithNoForTheMissingParts) {
    ScriptedMessages box;
    QDir().mkpath(cartella.file("dati,2004"));
    const QString archivio = cartella.file("dati,2004") + "\\fascole.mdb";
    type(form.TxtFascola, archivio);
    click(form.CmdConferma);
    EXPECT_EQ(leggiIni(), (archivio + "\r\nNO\r\nNO\r\n3.1.4\r\n").toLocal8Bit());
    EXPECT_TRUE(AmbienteLavoro().IniDefinito);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(SetUpDialog, ConfirmWritesTheCompaniesListAndInvoiceFolderAsTyped) {
    ScriptedMessages box;
    const QString ditte = cartella.file("ditte.mdb");
    QFile(ditte).open(QIODevice::WriteOnly);
    type(form.TxtFascola, " archivio.mdb ");
    click(form.ChkZolpa);
    type(form.TxtCasaZolpa, ditte);
    const QString fatture = cartella.file("fatture") + "/";
    QDir().mkpath(fatture);
    type(form.TxtFatture, fatture);
    click(form.CmdConferma);
    EXPECT_EQ(leggiIni(), (" archivio.mdb \r\n" + ditte + "\r\n" + fatture + "\r\n3.1.4\r\n").toLocal8Bit());
    EXPECT_TRUE(box.asked().empty());
}

// A missing invoice folder is offered for creation: a relative one in the working folder. One
// the user will not have created, or that cannot be created, keeps the dialog open and
// writes nothing.
TEST_F(SetUpDialog, AMissingInvoiceFolderIsCreatedOnlyWhenTheUserAgrees) {
    const QString titolo = "INIZIALIZZAZIONE FASCOLE";
    const QString unFile = cartella.file("un_file");
    QFile(unFile).open(QIODevice::WriteOnly);
    struct Caso {
        QString cartella;
        Answer risposta;
        QString rifiuto;  // the message after the question; "" when the folder is taken
    };
    const Caso casi[] = {
        {"copie", Answer::No, ""},
        {unFile + "/sotto", Answer::Yes, "Non è possibile creare la cartella delle fatture \"" + unFile + "/sotto\"" +
                                             ": indicare una cartella esistente o che si possa creare"},
    };
    ScriptedMessages box;
    for (const Caso& c : casi) {
        FrmFascolaINI f;
        f.show();
        QApplication::setActiveWindow(&f);
        f.TxtFascola->setText("a.mdb");
        f.TxtFatture->setText(c.cartella);
        box.expectMessage(c.risposta,
                          "La cartella delle fatture \"" + c.cartella + "\" non esiste. Si vuole crearla?", titolo);
        if (!c.rifiuto.isEmpty()) box.expectMessage(Answer::Ok, c.rifiuto, titolo);
        click(f.CmdConferma);
        EXPECT_EQ(box.pending(), 0) << c.cartella.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), f.TxtFatture) << c.cartella.toStdString();
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(QFile::exists(pathIni()));
    }
    EXPECT_FALSE(QFile::exists(cartella.file("copie")));
    // A file in place of the folder is no folder.
    form.TxtFascola->setText("a.mdb");
    form.TxtFatture->setText(unFile);
    box.expectMessage(Answer::Ok,
                      "Il percorso \"" + unFile + "\" non è una cartella: indicare la cartella delle fatture", titolo);
    click(form.CmdConferma);
    EXPECT_FALSE(QFile::exists(pathIni()));

    form.TxtFatture->setText("copie/2026/");
    box.expectMessage(Answer::Yes, "La cartella delle fatture \"copie/2026/\" non esiste. Si vuole crearla?", titolo);
    click(form.CmdConferma);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_TRUE(QFileInfo(cartella.file("copie/2026")).isDir());
    EXPECT_EQ(leggiIni(), QByteArray("a.mdb\r\nNO\r\ncopie/2026/\r\n3.1.4\r\n"));
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// The archive's folder is treated as the invoice folder is: a missing one is offered for
// creation; not wanted, the dialog stays open and writes nothing; made, the dialog goes on.
TEST_F(SetUpDialog, AnArchiveInAMissingFolderIsTakenOnlyOnceTheUserHasTheFolderMade) {
    const QString titolo = "INIZIALIZZAZIONE FASCOLE";
    const QString cartellaArchivio = cartella.file("dati/2026");
    const QString archivio = cartellaArchivio + "/fascole.mdb";
    const QString domanda =
        "La cartella \"" + cartellaArchivio + "\" dell'archivio delle fascole non esiste. Si vuole crearla?";
    ScriptedMessages box;
    type(form.TxtFascola, archivio);
    box.expectMessage(Answer::No, domanda, titolo);
    click(form.CmdConferma);
    EXPECT_EQ(box.pending(), 0);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(box.asked()[0].icon, ui::Icon::Question);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form.TxtFascola);
    EXPECT_FALSE(QFile::exists(pathIni()));
    EXPECT_FALSE(AmbienteLavoro().IniDefinito);
    EXPECT_FALSE(QFileInfo::exists(cartella.file("dati")));

    box.expectMessage(Answer::Yes, domanda, titolo);
    click(form.CmdConferma);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_TRUE(QFileInfo(cartellaArchivio).isDir());
    EXPECT_EQ(leggiIni(), (archivio + "\r\nNO\r\nNO\r\n3.1.4\r\n").toLocal8Bit());
    EXPECT_TRUE(AmbienteLavoro().IniDefinito);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// A path where the start-up could neither open nor create the archive is refused with the
// reason: the dialog stays open on the archive box and the configuration in force is kept.
TEST_F(SetUpDialog, AnArchiveThatCanBeNeitherOpenedNorCreatedIsRefusedAndTheFileKept) {
    const QString titolo = "INIZIALIZZAZIONE FASCOLE";
    const QString unFile = cartella.file("un_file");
    writeFile(unFile, "testo");
    const QString unaCartella = cartella.file("cartella.mdb");
    QDir().mkpath(unaCartella);
    const QString testo = cartella.file("note.mdb");
    writeFile(testo, "non sono un archivio");
    const QString vuoto = cartella.file("vuoto.mdb");
    writeFile(vuoto, "");
    const QString altroArchivio = cartella.file("ditte.mdb");
    db::Database::create(altroArchivio.toStdString())->execute("create table ditte (acronimo text)");
    const QString solaLettura = cartella.file("sola_lettura");
    QDir().mkpath(solaLettura);
    struct Caso {
        QString archivio;
        QString motivo;
        bool cartellaSolaLettura = false;
    };
    const Caso casi[] = {
        {unFile + "/sotto/fascole.mdb", "\"" + unFile + "\" è un file, non una cartella"},
        {unaCartella, "è una cartella, non un file"},
        {testo, "il file non è un archivio delle fascole"},
        {vuoto, "il file non è un archivio delle fascole"},
        {altroArchivio, "il file non è un archivio delle fascole"},
        {solaLettura + "/fascole.mdb", "nella cartella \"" + solaLettura + "\" non si può scrivere", true},
    };
    scriviIni({"vecchio.mdb", "NO", "NO", "1.0.0"});
    const QByteArray prima = leggiIni();
    ScriptedMessages box;
    for (const Caso& c : casi) {
        std::optional<CartellaSolaLettura> guardia;
        if (c.cartellaSolaLettura) guardia.emplace(solaLettura);
        FrmFascolaINI f;
        f.show();
        QApplication::setActiveWindow(&f);
        f.TxtFascola->setText(c.archivio);
        box.expectMessage(Answer::Ok, "L'archivio delle fascole \"" + c.archivio + "\" non si può usare: " + c.motivo,
                          titolo);
        click(f.CmdConferma);
        EXPECT_EQ(box.pending(), 0) << c.archivio.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), f.TxtFascola) << c.archivio.toStdString();
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(AmbienteLavoro().IniDefinito);
        EXPECT_EQ(leggiIni(), prima) << c.archivio.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(unFile + "/sotto"));
    EXPECT_TRUE(QDir(solaLettura).isEmpty());
}

// An archive that has lost only its revision table is the program's: it is taken, and the
// start-up's revision check tells what it lacks.
TEST_F(SetUpDialog, AnArchiveWithoutItsRevisionTableIsTaken) {
    ScriptedMessages box;
    const QString archivio = cartella.file("senza_revisione.mdb");
    fixtures::CaseFileArchive(archivio).db().execute("DROP TABLE Revisione");
    type(form.TxtFascola, archivio);
    click(form.CmdConferma);
    EXPECT_EQ(leggiIni(), (archivio + "\r\nNO\r\nNO\r\n3.1.4\r\n").toLocal8Bit());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(box.asked().empty());
}

// Enter typed in a box presses no button: no chooser opens (the scripted service would fail on
// one), nothing is written and the dialog stays open on what was typed.
TEST_F(SetUpDialog, EnterInABoxOpensNoChooserAndWritesNothing) {
    ScriptedMessages box;
    click(form.ChkZolpa);
    for (QLineEdit* campo : {form.TxtFascola, form.TxtCasaZolpa, form.TxtFatture}) {
        type(campo, "fascole.mdb");
        QTest::keyClick(campo, Qt::Key_Return);
        QTest::keyClick(campo, Qt::Key_Enter);
    }
    EXPECT_TRUE(box.asked().empty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists(pathIni()));
    EXPECT_EQ(form.TxtFascola->text(), "fascole.mdb");
}

TEST_F(SetUpDialog, EachFailedCheckShowsItsMessageMovesTheFocusAndWritesNothing) {
    struct Caso {
        QString archivio;
        bool collega;
        QString ditte;
        QString messaggio;
        QString titolo;
    };
    ScriptedMessages box;
    const Caso casi[] = {
        {"", false, "", "Si deve definire il pathname dell'archivio di lavoro", "INIZIALIZZAZIONE FASCOLE"},
        {"a.mdb", true, "", "Definire il pathname della cartella di lavoro della contabilità",
         "INIZIALIZZAZIONE FASCOLE"},
        {"a.mdb", true, cartella.file("manca.mdb"), "il DB delle ditte della contabilità non è correttamente definito",
         "INIZIALIZZAZIONE PARAMETRI"},
        {"a.mdb", true, cartella.path(), "il DB delle ditte della contabilità non è correttamente definito",
         "INIZIALIZZAZIONE PARAMETRI"},   // a folder is no companies list
    };
    for (const Caso& c : casi) {
        FrmFascolaINI f;
        f.show();
        QApplication::setActiveWindow(&f);
        f.TxtFascola->setText(c.archivio);
        f.ChkZolpa->setChecked(c.collega);
        f.TxtCasaZolpa->setText(c.ditte);
        box.expectMessage(Answer::Ok, c.messaggio, c.titolo);
        click(f.CmdConferma);
        EXPECT_EQ(QApplication::focusWidget(), c.archivio.isEmpty() ? f.TxtFascola : f.TxtCasaZolpa) << c.messaggio.toStdString();
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(QFile::exists(pathIni()));
        EXPECT_FALSE(AmbienteLavoro().IniDefinito);
    }
    EXPECT_EQ(box.pending(), 0);
}

TEST_F(SetUpDialog, ClearingTheLinkEmptiesTheCompaniesListAndClosesTheFrame) {
    click(form.ChkZolpa);
    EXPECT_TRUE(form.FramZolpa->isEnabled());
    type(form.TxtCasaZolpa, "/x/ditte.mdb");
    click(form.ChkZolpa);
    EXPECT_FALSE(form.FramZolpa->isEnabled());
    EXPECT_TRUE(form.TxtCasaZolpa->text().isEmpty());
    click(form.ChkZolpa);
    EXPECT_TRUE(form.TxtCasaZolpa->text().isEmpty());
}

TEST_F(SetUpDialog, BrowseButtonsAskTheirChooserAndKeepTheTextWhenCancelled) {
    ScriptedMessages box;
    click(form.ChkZolpa);
    box.expectFile("/dati/fascole.mdb", "Scegliere l'archivio di lavoro a cui collegarsi")
        .expectFile("/contab/ditte.mdb", "Indicare la cartella di lavoro della contabilità Zolpa")
        .expectFile("/fatture/2004/qualsiasi.txt", "Scegliere la cartella di memorizzazione delle fatture");
    click(form.CmdSfoglia1);
    click(form.CmdCasaZolpa);
    click(form.CmdSfoglia3);
    EXPECT_EQ(form.TxtFascola->text(), "/dati/fascole.mdb");
    EXPECT_EQ(form.TxtCasaZolpa->text(), "/contab/ditte.mdb");
    EXPECT_EQ(form.TxtFatture->text(), "/fatture/2004/");

    const auto& chiesto = box.asked();
    ASSERT_EQ(chiesto.size(), 3u);
    EXPECT_EQ(chiesto[0].file.filter, "Archivi (*.mdb) |*.mdb|");
    EXPECT_EQ(chiesto[0].file.defaultExtension, ".mdb");
    EXPECT_FALSE(chiesto[0].file.save);
    EXPECT_EQ(chiesto[1].file.filter, "(*.mdb) |*.mdb|");
    EXPECT_TRUE(chiesto[2].file.save);
    EXPECT_EQ(chiesto[2].file.filterIndex, 0);
    // The chooser opens where the box's path lies, else in the start folder.
    EXPECT_EQ(chiesto[0].file.initialPath, cartella.path());

    box.expectFile(std::nullopt).expectFile(std::nullopt).expectFile(std::nullopt);
    click(form.CmdSfoglia1);
    click(form.CmdCasaZolpa);
    click(form.CmdSfoglia3);
    EXPECT_EQ(form.TxtFascola->text(), "/dati/fascole.mdb");
    EXPECT_EQ(form.TxtCasaZolpa->text(), "/contab/ditte.mdb");
    EXPECT_EQ(form.TxtFatture->text(), "/fatture/2004/");
    EXPECT_EQ(box.asked()[3].file.initialPath, "/dati/");
}

TEST_F(SetUpDialog, ConfirmReplacesAnExistingFileAndGivingUpLeavesItAlone) {
    ScriptedMessages box;
    scriviIni({"vecchio.mdb", "NO", "NO", "1.0.0", "quinta"});
    type(form.TxtFascola, "nuovo.mdb");
    click(form.CmdRinuncia);
    EXPECT_EQ(leggiIni(), QByteArray("vecchio.mdb\r\nNO\r\nNO\r\n1.0.0\r\nquinta\r\n"));
    EXPECT_FALSE(AmbienteLavoro().IniDefinito);
    EXPECT_EQ(form.result(), QDialog::Rejected);

    FrmFascolaINI again;
    again.show();
    again.TxtFascola->setText("nuovo.mdb");
    click(again.CmdConferma);
    EXPECT_EQ(leggiIni(), QByteArray("nuovo.mdb\r\nNO\r\nNO\r\n3.1.4\r\n"));
}

TEST_F(SetUpDialog, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
    ScriptedMessages box;
    AmbienteLavoro().PathFileIni = cartella.file("manca/Fascola.ini");
    type(form.TxtFascola, "a.mdb");
    box.expectMessage(Answer::Ok, std::nullopt, "INIZIALIZZAZIONE FASCOLE");
    click(form.CmdConferma);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(AmbienteLavoro().IniDefinito);
}
