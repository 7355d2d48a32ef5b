#include "startup/forms/DefinizioneValoriDefault.h"

#include <QDate>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/forms/FrmComandoSql.h"
#include "platform/db/Database.h"
#include "startup/forms/FrmFascolaINI.h"
#include "startup/forms/FrmParametriFattura.h"
#include "startup/engine/Installazione.h"
#include "startup/engine/Versione.h"
#include "foundation/engine/Sessione.h"
#include "support/CartellaSolaLettura.h"
#include "support/ModalHelper.h"
#include "support/RadiceCondivisioni.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

const QString PrimaEsecuzione =
    "Prima esecuzione del programma con questo archivio, è necessario definire\r\n"
    "i parametri generali di fatturazione, sarà attivata la maschera di gestione,\r\n"
    "per un corretto funzionamento definire tutti i campi che interessano.";
const QString TitoloPrimaEsecuzione = "PRIMA DEFINIZIONE DEI PARAMETRI DI FATTURAZIONE";

QString oggi() { return QDate::currentDate().toString("dd/MM/yyyy"); }

class StartUp : public Installazione {
protected:
    // An archive whose parameters row holds `campi`.
    void archivioConParametri(const fixtures::Fields& campi = {{"criteriobollo", "1"}}) {
        fixtures::CaseFileArchive archivio(pathArchivio());
        archivio.setParameters(campi);
    }
    QStringList iniNonCollegato(const QString& versione = VersioneDelProgramma()) const {
        return {pathArchivio(), "NO", "NO", versione};
    }
    int righeParametri(const QString& archivio) const {
        return int(db::Database::open(archivio.toStdString())->scalar("select count(*) from AmbienteFascola").toInt());
    }
    QString versioneSuccessiva() const { return QString::number(FASCOLE_VERSION_MAJOR + 1) + ".0.0"; }
};

void continua(QWidget* w) {
    auto* dialogo = qobject_cast<FrmParametriFattura*>(w);
    ASSERT_NE(dialogo, nullptr);
    QTest::mouseClick(dialogo->CmdContinua, Qt::LeftButton);
}

}  // namespace

TEST_F(StartUp, ANewUserWhoGivesUpEndsTheProgramAndNothingIsCreated) {
    ScriptedMessages box;
    ModalHelper modal;
    modal.onNextModal([](QWidget* w) {
        auto* dialogo = qobject_cast<FrmFascolaINI*>(w);
        ASSERT_NE(dialogo, nullptr);
        dialogo->TxtFascola->setText("fascole.mdb");
        QTest::mouseClick(dialogo->CmdRinuncia, Qt::LeftButton);
    });
    box.expectMessage(Answer::Ok, "Non è possibile procedere senza inizializzazione");

    EXPECT_THROW(DefinizioneValoriDefault(), ProgrammaTerminato);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_EQ(box.asked()[0].title, "");  // the application's own name
    EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::Ok);
    EXPECT_EQ(box.asked()[0].icon, ui::Icon::None);
    EXPECT_TRUE(QDir(cartella.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(StartUp, ANewUserIsLedThroughSetUpArchiveAndParameters) {
    ScriptedMessages box;
    ModalHelper modal;
    const QString archivio = cartella.file("dati/fascole.mdb");
    QDir().mkpath(cartella.file("dati"));
    modal.onNextModal([&](QWidget* w) {
        auto* dialogo = qobject_cast<FrmFascolaINI*>(w);
        ASSERT_NE(dialogo, nullptr);
        QTest::keyClicks(dialogo->TxtFascola, archivio);
        QTest::mouseClick(dialogo->CmdConferma, Qt::LeftButton);
    });
    box.expectMessage(Answer::Ok, PrimaEsecuzione, TitoloPrimaEsecuzione);
    modal.onNextModal([](QWidget* w) {
        auto* dialogo = qobject_cast<FrmParametriFattura*>(w);
        ASSERT_NE(dialogo, nullptr);
        // The defaults of a first run are on show.
        EXPECT_EQ(dialogo->TxtRitAccPerc->text(), "20");
        EXPECT_EQ(dialogo->TxtDataFattura->text(), oggi());
        QTest::keyClicks(dialogo->TxtRigaTestata1, "Studio Rossi");
        QTest::mouseClick(dialogo->CmdContinua, Qt::LeftButton);
    });

    DefinizioneValoriDefault();

    EXPECT_EQ(leggiIni(), (archivio + "\r\nNO\r\nNO\r\n" + VersioneDelProgramma() + "\r\n").toLocal8Bit());
    ASSERT_TRUE(QFile::exists(archivio));
    auto db = db::Database::open(archivio.toStdString());
    EXPECT_EQ(db->scalar("select count(*) from AmbienteFascola").toInt(), 1);
    EXPECT_EQ(db->scalar("select rigatestata1 from AmbienteFascola").toText(), "Studio Rossi");
    EXPECT_EQ(db->scalar("select nota1 from AmbienteFascola").toText(), "");

    const AmbienteLavoroRec& a = AmbienteLavoro();
    EXPECT_EQ(a.PathArchivioFascole, archivio);
    EXPECT_FALSE(a.CollegatoContabilita);
    EXPECT_EQ(a.PathArchivioContabile, "");
    EXPECT_EQ(a.MacchinaLocale, "PCTEST");
    EXPECT_EQ(a.MacchinaArchivioDitte, "PCTEST");
    EXPECT_EQ(a.RevisioneArchivio, "030104");
    EXPECT_EQ(a.FormatoImporto, "###,##0.00");
    EXPECT_EQ(a.FormatoImportoEsteso, "#,###,##0.00");
    EXPECT_EQ(ParametriFattura().RigaTestata1, "Studio Rossi");
}

// At the first run Escape in the parameters dialog drops nothing: the dialog stays open and
// CONTINUA stores what was typed before it.
TEST_F(StartUp, EscapeInTheFirstParametersDialogDropsNothing) {
    archivioConParametri();
    db::Database::open(pathArchivio().toStdString())->execute("delete from AmbienteFascola");
    scriviIni(iniNonCollegato());
    ScriptedMessages box;
    ModalHelper modal;
    box.expectMessage(Answer::Ok, PrimaEsecuzione, TitoloPrimaEsecuzione);
    modal.onNextModal([](QWidget* w) {
        auto* dialogo = qobject_cast<FrmParametriFattura*>(w);
        ASSERT_NE(dialogo, nullptr);
        QTest::keyClicks(dialogo->TxtRigaTestata1, "Studio Rossi");
        QTest::keyClick(dialogo->TxtRigaTestata1, Qt::Key_Escape);
        QTest::keyClick(dialogo, Qt::Key_Escape);
        ASSERT_TRUE(dialogo->isVisible());
        QTest::mouseClick(dialogo->CmdContinua, Qt::LeftButton);
    });
    DefinizioneValoriDefault();
    EXPECT_EQ(righeParametri(pathArchivio()), 1);
    EXPECT_EQ(db::Database::open(pathArchivio().toStdString())->scalar("select rigatestata1 from AmbienteFascola").toText(),
              "Studio Rossi");
    EXPECT_EQ(ParametriFattura().RigaTestata1, "Studio Rossi");
}

TEST_F(StartUp, AFileWithoutItsVersionLineIsRewrittenWithFourLines) {
    struct Caso {
        QStringList righe;
        QStringList riscritte;
    };
    archivioConParametri();
    const QString v = VersioneDelProgramma();
    const Caso casi[] = {
        {{pathArchivio(), "NO", "NO"}, {pathArchivio(), "NO", "NO", v}},
        {{pathArchivio(), "NO", "NO", "0.9.9", "quinta", "sesta"}, {pathArchivio(), "NO", "NO", v}},
    };
    for (const Caso& c : casi) {
        ScriptedMessages box;
        scriviIni(c.righe);
        DefinizioneValoriDefault();
        QByteArray atteso;
        for (const QString& r : c.riscritte) atteso += r.toLocal8Bit() + "\r\n";
        EXPECT_EQ(leggiIni(), atteso);
    }
}

TEST_F(StartUp, TheSameVersionLeavesTheFileAsItIs) {
    ScriptedMessages box;
    archivioConParametri();
    scriviIni({pathArchivio(), "NO", "NO", VersioneDelProgramma(), "quinta"});
    const QByteArray prima = leggiIni();
    DefinizioneValoriDefault();
    EXPECT_EQ(leggiIni(), prima);
}

TEST_F(StartUp, ANewerRecordedVersionIsRefusedAndTheFileUntouched) {
    ScriptedMessages box;
    archivioConParametri();
    const QString recorded = versioneSuccessiva();
    scriviIni(iniNonCollegato(recorded));
    const QByteArray prima = leggiIni();
    box.expectMessage(Answer::Ok,
                      "ATTENZIONE: è stata ripristinata una versione del programma\r\n"
                      " antecedente a quella che era in esecuzione, per poter\r\n"
                      "eseguire il programma è necessario attivare una versione\r\n"
                      " uguale o successiva alla " + recorded + "\r\n"
                      " Per ora Non è possibile eseguire il programma.",
                      "REVISIONE SOFTWARE ERRATA");

    EXPECT_THROW(DefinizioneValoriDefault(), ProgrammaTerminato);
    EXPECT_EQ(leggiIni(), prima);
    EXPECT_EQ(ParametriFattura().DataFattura, "");  // the parameters were never reached
}

TEST_F(StartUp, OnlyTheExactTextNOUnlinks) {
    archivioConParametri();
    {
        ScriptedMessages box;
        scriviIni(iniNonCollegato());
        DefinizioneValoriDefault();
        EXPECT_FALSE(AmbienteLavoro().CollegatoContabilita);
    }
    for (const QString ditte : {"no", "No", "NO "}) {
        ScriptedMessages box;
        scriviIni({pathArchivio(), ditte, "NO", VersioneDelProgramma()});
        // Linked: the start-up goes looking for that companies list and fails to open it.
        box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
        DefinizioneValoriDefault();
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("Funzione di definizione PathName di Zolpa"));
        EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita) << ditte.toStdString();
        EXPECT_EQ(AmbienteLavoro().PathArchivioDitte, ditte);
    }
}

TEST_F(StartUp, APathWithACommaIsReadWhole) {
    ScriptedMessages box;
    const QString archivio = cartella.file("dati,2004.mdb");
    scriviIni({archivio, "NO", "NO", VersioneDelProgramma()});
    // The archive is missing: it is created there, and being new it has no parameters yet.
    ModalHelper modal;
    box.expectMessage(Answer::Ok, PrimaEsecuzione, TitoloPrimaEsecuzione);
    modal.onNextModal(continua);
    DefinizioneValoriDefault();
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, archivio);
    EXPECT_EQ(AmbienteLavoro().PathArchivioDitte, "NO");
    EXPECT_EQ(righeParametri(archivio), 1);
}

TEST_F(StartUp, AClosedParametersDialogLeavesTheDefaultsAndComesBackAtTheNextRun) {
    archivioConParametri();
    db::Database::open(pathArchivio().toStdString())->execute("delete from AmbienteFascola");
    scriviIni(iniNonCollegato());
    for (int giro = 0; giro < 2; ++giro) {
        ScriptedMessages box;
        ModalHelper modal;
        box.expectMessage(Answer::Ok, PrimaEsecuzione, TitoloPrimaEsecuzione);
        modal.onNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        ParametriFattura().RitAccPerc = "99";
        DefinizioneValoriDefault();
        EXPECT_EQ(ParametriFattura().RitAccPerc, "20");
        EXPECT_EQ(ParametriFattura().CriterioBollo, "4");
        EXPECT_TRUE(ParametriFattura().DettaglioFascola);
        EXPECT_EQ(righeParametri(pathArchivio()), 0);
    }
}

TEST_F(StartUp, EveryRunReadsTheRowAfreshAndForgetsTheDocumentInProgress) {
    ScriptedMessages box;
    archivioConParametri({{"nota1", "Pagamento a vista"}, {"ritaccperc", "4"}});
    scriviIni(iniNonCollegato());
    DefinizioneValoriDefault();
    ParametriFatturaRec& p = ParametriFattura();
    p.DataFattura = "01/01/2000";
    p.NumeroDocumento = "12";
    p.LetteraDocumento = "F";
    p.RitAccPerc = "10";
    NoteFattura().Nota1 = "solo per questa fattura";

    DefinizioneValoriDefault();
    EXPECT_EQ(p.DataFattura, oggi());
    EXPECT_EQ(p.NumeroDocumento, "");
    EXPECT_EQ(p.LetteraDocumento, "");
    EXPECT_EQ(p.RitAccPerc, "4");
    EXPECT_EQ(NoteFattura().Nota1, "Pagamento a vista");
}

TEST_F(StartUp, AnArchiveRemovedSinceTheLastRunIsCreatedAgain) {
    ScriptedMessages box;
    archivioConParametri();
    scriviIni(iniNonCollegato());
    DefinizioneValoriDefault();
    ASSERT_TRUE(QFile::remove(pathArchivio()));

    ModalHelper modal;
    box.expectMessage(Answer::Ok, PrimaEsecuzione, TitoloPrimaEsecuzione);
    modal.onNextModal(continua);
    DefinizioneValoriDefault();
    EXPECT_EQ(righeParametri(pathArchivio()), 1);
}

namespace {

const QString TitoloArchivio = "ARCHIVIO DELLE FASCOLE";

QString archivioInutilizzabile(const QString& archivio, const QString& motivo) {
    return "Non è possibile aprire né creare l'archivio delle fascole \"" + archivio + "\": " + motivo +
           ".\r\nIndicare l'archivio su cui lavorare.";
}

// The set-up dialog offered on the configuration in force.
FrmFascolaINI* dialogoAmbiente(QWidget* w) {
    auto* dialogo = qobject_cast<FrmFascolaINI*>(w);
    EXPECT_NE(dialogo, nullptr);
    return dialogo;
}

}  // namespace

// Fascola.ini, written before or naming a share not connected, names an archive that can be
// neither opened nor created: one message says which and why, the set-up dialog follows on the
// configuration in force, and given up the program ends as a first run given up does, with
// no error box, no folder made and the file as it was.
TEST_F(StartUp, AnArchiveThatCanBeNeitherOpenedNorCreatedIsToldAndGivingUpTheSetUpEndsTheProgram) {
    RadiceCondivisioni montaggio(cartella.file("rete"));
    const QString unaCartella = cartella.file("cartella.mdb");
    QDir().mkpath(unaCartella);
    const QString testo = cartella.file("note.mdb");
    writeFile(testo, "non sono un archivio");
    const QString altroArchivio = cartella.file("ditte.mdb");
    db::Database::create(altroArchivio.toStdString())->execute("create table ditte (acronimo text)");
    const QString solaLettura = cartella.file("sola_lettura");
    QDir().mkpath(solaLettura);
    const QString fatture = cartella.file("fatture") + "/";
    struct Caso {
        QString archivio;
        QString motivo;
        bool cartellaSolaLettura = false;
        QString ditte = "NO";
    };
    const Caso casi[] = {
        {"/nonexistent_dir/arch.mdb", "la cartella \"/nonexistent_dir\" non esiste o non è raggiungibile"},
        {cartella.file("manca/fascole.mdb"),
         "la cartella \"" + cartella.file("manca") + "\" non esiste o non è raggiungibile"},
        {"\\\\SERVER\\dati\\fascole.mdb", "la cartella di rete \"\\\\SERVER\\dati\" non è raggiungibile", false,
         "\\\\SERVER\\contab\\ditte.mdb"},
        {unaCartella, "è una cartella, non un file"},
        {testo, "il file non è un archivio delle fascole"},
        {altroArchivio, "il file non è un archivio delle fascole"},
        {solaLettura + "/fascole.mdb", "nella cartella \"" + solaLettura + "\" non si può scrivere", true},
    };
    for (const Caso& c : casi) {
        scriviIni({c.archivio, c.ditte, fatture, VersioneDelProgramma()});
        const QByteArray prima = leggiIni();
        std::optional<CartellaSolaLettura> guardia;
        if (c.cartellaSolaLettura) guardia.emplace(solaLettura);
        ScriptedMessages box;
        ModalHelper modal;
        box.expectMessage(Answer::Ok, archivioInutilizzabile(c.archivio, c.motivo), TitoloArchivio);
        modal.onNextModal([&](QWidget* w) {
            FrmFascolaINI* dialogo = dialogoAmbiente(w);
            ASSERT_NE(dialogo, nullptr);
            // The configuration in force, to be mended.
            EXPECT_EQ(dialogo->TxtFascola->text(), c.archivio);
            EXPECT_EQ(dialogo->ChkZolpa->isChecked(), c.ditte != "NO");
            EXPECT_EQ(dialogo->FramZolpa->isEnabled(), c.ditte != "NO");
            EXPECT_EQ(dialogo->TxtCasaZolpa->text(), c.ditte != "NO" ? c.ditte : QString());
            EXPECT_EQ(dialogo->TxtFatture->text(), fatture);
            QTest::mouseClick(dialogo->CmdRinuncia, Qt::LeftButton);
        });
        box.expectMessage(Answer::Ok, "Non è possibile procedere senza inizializzazione");

        EXPECT_THROW(DefinizioneValoriDefault(), ProgrammaTerminato) << c.archivio.toStdString();
        EXPECT_EQ(box.pending(), 0) << c.archivio.toStdString();
        EXPECT_EQ(box.asked().size(), 2u) << c.archivio.toStdString();
        EXPECT_EQ(leggiIni(), prima);
    }
    EXPECT_FALSE(QFileInfo::exists(cartella.file("manca")));
    EXPECT_FALSE(QFileInfo::exists("/nonexistent_dir"));
    EXPECT_TRUE(QDir(solaLettura).isEmpty());
}

// An archive that has lost its revision table (dropped through the SQL console) is still the
// program's: the revision check fails through the error handler, and whichever way it is
// answered the start goes on with that archive, its parameters read, without the set-up
// dialog. The table is not made again: the next start asks again.
TEST_F(StartUp, AnArchiveWithoutItsRevisionTableGoesToTheErrorHandlerAndTheStartGoesOn) {
    for (const Answer risposta : {Answer::Ignore, Answer::Abort}) {
        SCOPED_TRACE(int(risposta));
        RipristinaAmbiente();
        AmbienteLavoro().CartellaAvvio = cartella.path();
        const QString archivio = cartella.file(QString("senza_revisione_%1.mdb").arg(int(risposta)));
        {
            fixtures::CaseFileArchive fascole(archivio);
            fascole.setParameters({{"rigatestata1", "Studio Rossi"}});
            fascole.db().execute("DROP TABLE Revisione");
        }
        scriviIni({archivio, "NO", "NO", VersioneDelProgramma()});
        ScriptedMessages box;
        ModalHelper modal;  // no dialog expected: one left open fails the test
        box.expectMessage(risposta, std::nullopt, "GESTIONE DEGLI ERRORI");

        DefinizioneValoriDefault();

        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("\nFunzione: Sub di di verifica revisione db Fascola\n"))
            << box.asked()[0].text.toStdString();
        EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, archivio);
        EXPECT_EQ(ParametriFattura().RigaTestata1, "Studio Rossi");
        EXPECT_EQ(leggiIni(), (archivio + "\r\nNO\r\nNO\r\n" + VersioneDelProgramma() + "\r\n").toLocal8Bit());
        EXPECT_FALSE(db::Database::open(archivio.toStdString())->tableExists("Revisione"));
    }
}

// The office puts the table back through the SQL console, one statement at a time: the next
// start finds the archive's revision and asks nothing.
TEST_F(StartUp, ARevisionTablePutBackThroughTheSqlConsoleEndsTheQuestion) {
    archivioConParametri();
    db::Database::open(pathArchivio().toStdString())->execute("DROP TABLE Revisione");
    scriviIni(iniNonCollegato());
    ScriptedMessages box;
    box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    DefinizioneValoriDefault();

    FrmComandoSql console;
    for (const char* istruzione :
         {"CREATE TABLE \"Revisione\" (\"revisione\" TEXT COLLATE NOCASE CONSTRAINT \"len_revisione\" "
          "CHECK(length(\"revisione\") <= 6) CONSTRAINT \"nonempty_revisione\" CHECK(\"revisione\" <> ''))",
          "INSERT INTO Revisione (revisione) VALUES ('030104')"}) {
        console.TxtComandoSql->setPlainText(istruzione);
        box.expectMessage(Answer::Ok, "Il comando è stato eseguito con successo");
        QTest::mouseClick(console.CmdEsegui, Qt::LeftButton);
    }
    DefinizioneValoriDefault();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(box.asked().size(), 3u);
}

// Confirmed with another archive, the new Fascola.ini replaces the old one and the start-up
// goes on with it: a new archive is created and asks for its parameters.
TEST_F(StartUp, AnotherArchiveNamedInTheSetUpReplacesTheFileAndTheStartUpGoesOnWithIt) {
    const QString perso = cartella.file("manca/fascole.mdb");
    const QString nuovo = cartella.file("nuovo.mdb");
    const QString fatture = cartella.file("fatture") + "/";
    QDir().mkpath(fatture);
    scriviIni({perso, "NO", fatture, VersioneDelProgramma()});
    ScriptedMessages box;
    ModalHelper modal;
    box.expectMessage(Answer::Ok,
                      archivioInutilizzabile(perso, "la cartella \"" + cartella.file("manca") +
                                                        "\" non esiste o non è raggiungibile"),
                      TitoloArchivio);
    modal.onNextModal([&](QWidget* w) {
        FrmFascolaINI* dialogo = dialogoAmbiente(w);
        ASSERT_NE(dialogo, nullptr);
        dialogo->TxtFascola->clear();
        QTest::keyClicks(dialogo->TxtFascola, nuovo);
        QTest::mouseClick(dialogo->CmdConferma, Qt::LeftButton);
    });
    box.expectMessage(Answer::Ok, PrimaEsecuzione, TitoloPrimaEsecuzione);
    modal.onNextModal(continua);

    DefinizioneValoriDefault();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(leggiIni(), (nuovo + "\r\nNO\r\n" + fatture + "\r\n" + VersioneDelProgramma() + "\r\n").toLocal8Bit());
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, nuovo);
    EXPECT_EQ(AmbienteLavoro().CartellaFatture, fatture);
    EXPECT_EQ(righeParametri(nuovo), 1);
    EXPECT_EQ(ArchivioInUso()->path(), nuovo.toStdString());
    EXPECT_FALSE(QFileInfo::exists(cartella.file("manca")));
}

// The same at a later run (the catalogue opened, the linking dialog confirmed) when the
// archive's folder has gone meanwhile: the program does not go on without an archive, and
// naming an existing one takes it up with its parameters.
TEST_F(StartUp, ALaterRunOnAnArchiveWhoseFolderHasGoneOffersTheSetUpToo) {
    const QString dati = cartella.file("dati");
    QDir().mkpath(dati);
    const QString archivio = dati + "/fascole.mdb";
    fixtures::CaseFileArchive(archivio).setParameters({{"ritaccperc", "4"}});
    archivioConParametri({{"ritaccperc", "7"}});
    scriviIni({archivio, "NO", "NO", VersioneDelProgramma()});
    {
        ScriptedMessages box;
        DefinizioneValoriDefault();
        EXPECT_EQ(ParametriFattura().RitAccPerc, "4");
    }
    ChiudiSessione();
    ASSERT_TRUE(QDir(dati).removeRecursively());

    ScriptedMessages box;
    ModalHelper modal;
    box.expectMessage(Answer::Ok,
                      archivioInutilizzabile(archivio,
                                             "la cartella \"" + dati + "\" non esiste o non è raggiungibile"),
                      TitoloArchivio);
    modal.onNextModal([&](QWidget* w) {
        FrmFascolaINI* dialogo = dialogoAmbiente(w);
        ASSERT_NE(dialogo, nullptr);
        dialogo->TxtFascola->setText(pathArchivio());
        QTest::mouseClick(dialogo->CmdConferma, Qt::LeftButton);
    });
    DefinizioneValoriDefault();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, pathArchivio());
    EXPECT_EQ(ParametriFattura().RitAccPerc, "7");
    EXPECT_FALSE(QFileInfo::exists(dati));
}

// A file of a newer program is refused as ever, whatever archive it names: the set-up dialog
// is no way round the refusal.
TEST_F(StartUp, ANewerRecordedVersionIsRefusedBeforeAnotherArchiveIsOffered) {
    scriviIni({cartella.file("manca/fascole.mdb"), "NO", "NO", versioneSuccessiva()});
    const QByteArray prima = leggiIni();
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, std::nullopt, "REVISIONE SOFTWARE ERRATA");
    EXPECT_THROW(DefinizioneValoriDefault(), ProgrammaTerminato);
    EXPECT_EQ(box.asked().size(), 1u);
    EXPECT_EQ(leggiIni(), prima);
}

namespace {

// A linked installation: the sample company ROSSI with its 2004 archive.
class LinkedStartUp : public StartUp {
protected:
    LinkedStartUp() : contab(cartella.path()) { contab.creaCampione(); }

    void configura(bool collegato, const fixtures::Fields& campi) {
        archivioConParametri(campi);
        scriviIni({pathArchivio(), collegato ? contab.pathDitte() : QString("NO"), "NO", VersioneDelProgramma()});
    }

    AccountingFixture contab;
};

const fixtures::Fields RigaCompleta = {
    {"dettagliofascola", false}, {"registrazione", true}, {"ditta", "ROSSI"}, {"esercizio", "2004"},
    {"registroiva", "V"},        {"numerazioneautomatica", true}, {"bollo", true},
    {"importobollo", "1,81"},    {"sogliabollo", "77,47"},  {"criteriobollo", "2"},
    {"ritenutaacconto", true},   {"ritaccperc", "4"},       {"rapercimponibile", "50"},
    {"criteriora", "1"},         {"altreritenute", true},   {"altreritperc", "2"},
    {"altreritpercimponibile", "60"}, {"altreritcriterio", "2"}, {"altrerittesto", "Enasarco"},
    {"memorizzafattura", true},  {"anteprimastampa", true}, {"rigatestata1", "Studio"},
    {"rigatestata6", "Sesta"},   {"nota1", "N1"},           {"nota4", "N4"},
};

// The row with some of its columns changed.
fixtures::Fields con(fixtures::Fields campi, const fixtures::Fields& modifiche) {
    for (const auto& [nome, valore] : modifiche)
        for (auto& campo : campi)
            if (campo.first == nome) campo.second = valore;
    return campi;
}

}  // namespace

TEST_F(LinkedStartUp, ALinkedRowIsTakenAsStored) {
    ScriptedMessages box;
    configura(true, RigaCompleta);
    DefinizioneValoriDefault();

    const ParametriFatturaRec& p = ParametriFattura();
    EXPECT_FALSE(p.DettaglioFascola);
    EXPECT_TRUE(p.Registrazione);
    EXPECT_EQ(p.Ditta, "ROSSI");
    EXPECT_EQ(p.Esercizio, "2004");
    EXPECT_EQ(p.RegistroIva, "V");
    EXPECT_TRUE(p.NumerazioneAutomatica);
    EXPECT_TRUE(p.Bollo);
    EXPECT_EQ(p.ImportoBollo, "1,81");
    EXPECT_EQ(p.SogliaBollo, "77,47");
    EXPECT_EQ(p.CriterioBollo, "2");
    EXPECT_TRUE(p.RitenutaAcconto);
    EXPECT_EQ(p.RitAccPerc, "4");
    EXPECT_EQ(p.RAPercImponibile, "50");
    EXPECT_EQ(p.CriterioRA, "1");
    EXPECT_TRUE(p.AltreRitenute);
    EXPECT_EQ(p.AltreRitPerc, "2");
    EXPECT_EQ(p.AltreRitPercImponibile, "60");
    EXPECT_EQ(p.AltreRitCriterio, "2");
    EXPECT_EQ(p.AltreRitTesto, "Enasarco");
    EXPECT_TRUE(p.MemorizzaFattura);
    EXPECT_TRUE(p.AnteprimaStampa);
    EXPECT_EQ(p.RigaTestata1, "Studio");
    EXPECT_EQ(p.RigaTestata2, "");  // Null gives empty
    EXPECT_EQ(p.RigaTestata6, "Sesta");
    EXPECT_EQ(NoteFattura().Nota1, "N1");
    EXPECT_EQ(NoteFattura().Nota2, "");
    EXPECT_EQ(NoteFattura().Nota4, "N4");
    EXPECT_EQ(p.DataFattura, oggi());

    EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, contab.pathArchivio("ROSSI", "2004"));
}

TEST_F(LinkedStartUp, WithoutTheLinkOrItsYearAndRegisterTheAccountingFieldsTakeTheirDefaults) {
    struct Caso {
        const char* nome;
        bool collegato;
        fixtures::Fields modifiche;
    };
    const Caso casi[] = {
        {"not linked", false, {}},
        {"year Null", true, {{"esercizio", nullptr}}},
        {"register Null", true, {{"registroiva", nullptr}}},
    };
    for (const Caso& c : casi) {
        ScriptedMessages box;
        QFile::remove(pathArchivio());
        configura(c.collegato, con(RigaCompleta, c.modifiche));
        DefinizioneValoriDefault();
        const ParametriFatturaRec& p = ParametriFattura();
        EXPECT_TRUE(p.DettaglioFascola) << c.nome;
        EXPECT_FALSE(p.Registrazione) << c.nome;
        EXPECT_EQ(p.Ditta, "") << c.nome;
        EXPECT_EQ(p.Esercizio, "") << c.nome;
        EXPECT_EQ(p.RegistroIva, "") << c.nome;
        // The rest of the row is read all the same.
        EXPECT_EQ(p.AltreRitTesto, "Enasarco") << c.nome;
    }
}

TEST_F(LinkedStartUp, NullTextsTakeTheirDefaults) {
    ScriptedMessages box;
    configura(false, {{"criteriobollo", nullptr}});
    DefinizioneValoriDefault();
    const ParametriFatturaRec& p = ParametriFattura();
    EXPECT_EQ(p.CriterioBollo, "4");
    EXPECT_EQ(p.RitAccPerc, "20");
    EXPECT_EQ(p.RAPercImponibile, "100");
    EXPECT_EQ(p.CriterioRA, "3");
    EXPECT_EQ(p.AltreRitPerc, "20");
    EXPECT_EQ(p.AltreRitPercImponibile, "100");
    EXPECT_EQ(p.AltreRitCriterio, "3");
    EXPECT_EQ(p.ImportoBollo, "");
    EXPECT_EQ(NoteFattura().Nota3, "");
}

TEST_F(LinkedStartUp, ANullCompanyGoesToTheErrorHandlerWhoseAnswerDecides) {
    configura(true, con(RigaCompleta, {{"ditta", nullptr}}));
    {
        // Go on: the company keeps what it held and the rest of the row is read.
        ScriptedMessages box;
        ParametriFattura().Ditta = "PRIMA";
        box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
        DefinizioneValoriDefault();
        ASSERT_EQ(box.asked().size(), 1u);
        EXPECT_TRUE(box.asked()[0].text.contains("Funzione di definizione valori default Fascola"));
        EXPECT_EQ(ParametriFattura().Ditta, "PRIMA");
        EXPECT_EQ(ParametriFattura().Esercizio, "2004");
        EXPECT_EQ(ParametriFattura().AltreRitTesto, "Enasarco");
        // The accounting archive is then looked for under that company, which is unknown.
        EXPECT_FALSE(AmbienteLavoro().CollegatoContabilita);
    }
    {
        // Leave: the routine stops there; nothing after it runs.
        ScriptedMessages box;
        ParametriFattura() = ParametriFatturaRec{};
        AmbienteLavoro().PathArchivioContabile = "prima";
        box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
        DefinizioneValoriDefault();
        EXPECT_EQ(ParametriFattura().Esercizio, "");
        EXPECT_EQ(ParametriFattura().AltreRitTesto, "");
        EXPECT_TRUE(AmbienteLavoro().CollegatoContabilita);
        EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, "prima");
    }
}
