#include "startup/forms/FrmCollegamentoArchivi.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RefillCombo.h"
#include "startup/forms/DefinizioneValoriDefault.h"
#include "startup/forms/FrmParametriFattura.h"
#include "startup/forms/DitteCollegate.h"
#include "startup/engine/Versione.h"
#include "support/CartellaSolaLettura.h"
#include "support/Files.h"
#include "support/ModalHelper.h"
#include "support/RadiceCondivisioni.h"
#include "support/ScriptedMessages.h"

using ui::Answer;

namespace {

QStringList elenco(const QComboBox& combo) {
    QStringList voci;
    for (int i = 0; i < combo.count(); ++i) voci << combo.itemText(i);
    return voci;
}

// The AmbienteFascola row's company and year.
QStringList dittaEsercizio(const QString& archivio) {
    auto db = db::Database::open(archivio.toStdString());
    auto rs = db->openRecordset("select ditta, esercizio from AmbienteFascola");
    return {rs->field("ditta").textOr(QString()), rs->field("esercizio").textOr(QString())};
}

// A linked installation started up on company ROSSI, year 2004: Fascola.ini names the
// case-file archive, the companies list (ROSSI 2004, BIANCHI 2005) and an empty invoice folder.
class LinkingDialog : public DitteCollegate {
protected:
    LinkingDialog() {
        fatture = cartella.file("fatture") + "/";
        QDir().mkpath(fatture);
        fixtures::CaseFileArchive(pathArchivio())
            .setParameters({{"ditta", "ROSSI"}, {"esercizio", "2004"}, {"registroiva", "V"}});
        scriviIni({pathArchivio(), contab.pathDitte(), fatture, VersioneDelProgramma()});
        DefinizioneValoriDefault();
    }

    void apri() {
        form = std::make_unique<FrmCollegamentoArchivi>();
        form->show();
        QApplication::setActiveWindow(form.get());
    }

    void conferma() {
        entra(form->CmdConferma);
        click(form->CmdConferma);
    }

    QString fatture;
    std::unique_ptr<FrmCollegamentoArchivi> form;
};

TEST_F(LinkingDialog, OpensOnTheConfigurationInForce) {
    ASSERT_TRUE(AmbienteLavoro().CollegatoContabilita);
    apri();
    FrmCollegamentoArchivi& f = *form;
    EXPECT_EQ(f.windowTitle(), "COLLEGAMENTO ARCHIVI");
    EXPECT_EQ(f.LblMacchina->text(), "PCTEST");
    EXPECT_EQ(f.LblFascole->text(), pathArchivio());
    EXPECT_EQ(f.LblImmagini->text(), fatture);
    EXPECT_EQ(f.LblContabilita->text(), contab.pathDitte());
    EXPECT_EQ(f.LblDitta->text(), "ROSSI");
    EXPECT_EQ(f.LblEsercizio->text(), "2004");
    EXPECT_TRUE(f.OptFascoleEsi->isChecked());
    EXPECT_FALSE(f.OptFascoleNuo->isChecked());
    EXPECT_TRUE(f.OptImmaginiEsi->isChecked());
    EXPECT_FALSE(f.OptImmaginiNuo->isChecked());
    EXPECT_EQ(f.TxtFascole->text(), pathArchivio());
    EXPECT_EQ(f.TxtImmagini->text(), fatture);
    EXPECT_EQ(f.TxtArchivioDitte->text(), contab.pathDitte());
    EXPECT_EQ(f.DbcDitta->currentText(), "ROSSI");
    EXPECT_EQ(f.CmbEsercizio->currentText(), "2004");
    for (const char* nome : {"LblMacchina", "LblFascole", "LblImmagini", "LblContabilita", "LblDitta", "LblEsercizio",
                             "OptFascoleEsi", "OptFascoleNuo", "TxtFascole", "CmdCercaFascole", "OptImmaginiEsi",
                             "OptImmaginiNuo", "TxtImmagini", "CmdCercaImmagini", "TxtArchivioDitte", "CmdCercaDitte",
                             "DbcDitta", "CmbEsercizio", "CmdConferma", "CmdRinuncia"})
        EXPECT_NE(f.findChild<QWidget*>(nome), nullptr) << nome;
}

TEST_F(LinkingDialog, ConfirmingUnchangedRewritesTheSameAndStartsUpAgain) {
    ScriptedMessages box;
    const QByteArray ini = leggiIni();
    ParametriFattura().NumeroDocumento = "15";
    ParametriFattura().DataFattura = "01/01/2000";
    QFile::remove(pathIni());
    apri();
    conferma();
    EXPECT_TRUE(box.asked().empty());
    EXPECT_EQ(leggiIni(), ini);
    EXPECT_EQ(dittaEsercizio(pathArchivio()), QStringList({"ROSSI", "2004"}));
    // The start-up has run again: what belongs to one invoice is reset.
    EXPECT_EQ(ParametriFattura().NumeroDocumento, "");
    EXPECT_EQ(ParametriFattura().DataFattura, QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(AmbienteLavoro().PathArchivioContabile, contab.pathArchivio("ROSSI", "2004"));
    EXPECT_TRUE(form->isVisible());
}

// A new user points the program at another office's archives through the choosers.
TEST_F(LinkingDialog, RelinkingToOtherArchivesCompanyAndYear) {
    const QString altro = cartella.file("altro");
    QDir().mkpath(altro + "/fatture");
    const QString archivio2 = altro + "/fascole2.mdb";
    fixtures::CaseFileArchive(archivio2)
        .setParameters({{"ditta", "ROSSI"}, {"esercizio", "2004"}, {"registroiva", "W"}, {"dettagliofascola", false}});
    AccountingFixture contab2(altro);
    contab2.aggiungiDitta("VERDI", 3);
    contab2.creaArchivio("VERDI", "2006");
    contab2.creaArchivio("VERDI", "2007");

    ScriptedMessages box;
    EXPECT_EQ(fileDellaSessione(),
              std::make_pair(canonico(pathArchivio()), canonico(contab.pathArchivio("ROSSI", "2004"))));
    apri();
    FrmCollegamentoArchivi& f = *form;
    box.expectFile(archivio2, "Scegliere l'archivio di lavoro a cui collegarsi");
    click(f.CmdCercaFascole);
    box.expectFile(altro + "/fatture/qualsiasi", "Scegliere la cartella di memorizzazione delle fatture");
    click(f.CmdCercaImmagini);
    box.expectFile(contab2.pathDitte(), "Selezionare il file ditte.mdb della contabilità Zolpa");
    click(f.CmdCercaDitte);
    EXPECT_EQ(f.DbcDitta->currentText(), "");
    EXPECT_EQ(f.CmbEsercizio->currentText(), "");
    entra(f.DbcDitta);
    EXPECT_EQ(elenco(*f.DbcDitta), QStringList({"VERDI"}));
    f.DbcDitta->setCurrentIndex(0);
    entra(f.CmbEsercizio);
    EXPECT_EQ(elenco(*f.CmbEsercizio), QStringList({"2006", "2007"}));
    f.CmbEsercizio->setCurrentIndex(0);
    conferma();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(box.messageTexts(), QStringList());

    EXPECT_EQ(leggiIni(), (archivio2 + "\r\n" + contab2.pathDitte() + "\r\n" + altro + "/fatture/\r\n" +
                           VersioneDelProgramma() + "\r\n")
                              .toLocal8Bit());
    EXPECT_EQ(dittaEsercizio(archivio2), QStringList({"VERDI", "2006"}));
    EXPECT_EQ(dittaEsercizio(pathArchivio()), QStringList({"ROSSI", "2004"}));

    const AmbienteLavoroRec& a = AmbienteLavoro();
    EXPECT_EQ(a.PathArchivioFascole, archivio2);
    EXPECT_EQ(a.PathArchivioDitte, contab2.pathDitte());
    EXPECT_EQ(a.CartellaFatture, altro + "/fatture/");
    EXPECT_TRUE(a.CollegatoContabilita);
    EXPECT_EQ(a.PathArchivioContabile, contab2.pathArchivio("VERDI", "2006"));
    // The rest of the parameters come from the other archive's row.
    EXPECT_EQ(ParametriFattura().Ditta, "VERDI");
    EXPECT_EQ(ParametriFattura().Esercizio, "2006");
    EXPECT_EQ(ParametriFattura().RegistroIva, "W");
    EXPECT_FALSE(ParametriFattura().DettaglioFascola);
    // The program now works on the other archives.
    EXPECT_EQ(fileDellaSessione(),
              std::make_pair(canonico(archivio2), canonico(contab2.pathArchivio("VERDI", "2006"))));
}

TEST_F(LinkingDialog, ANewArchiveAndANewFolderAreCreatedAndTheParametersAskedFor) {
    const QString nuovo = cartella.file("nuovo.mdb");
    const QString nuovaCartella = cartella.file("fatture2/anno");
    ScriptedMessages box;
    ModalHelper modale;
    apri();
    click(form->OptFascoleNuo);
    EXPECT_EQ(form->TxtFascole->text(), "");
    scrivi(form->TxtFascole, nuovo);
    click(form->OptImmaginiNuo);
    EXPECT_EQ(form->TxtImmagini->text(), "");
    scrivi(form->TxtImmagini, nuovaCartella);

    box.expectMessage(Answer::Ok, std::nullopt, "PRIMA DEFINIZIONE DEI PARAMETRI DI FATTURAZIONE");
    bool parametri = false;
    modale.onNextModal([&](QWidget* w) {
        parametri = qobject_cast<FrmParametriFattura*>(w) != nullptr;
        qobject_cast<QDialog*>(w)->reject();
    });
    conferma();
    EXPECT_TRUE(parametri);
    EXPECT_TRUE(QFileInfo(nuovaCartella).isDir());
    auto db = db::Database::open(nuovo.toStdString());
    EXPECT_TRUE(db->tableExists("AmbienteFascola"));
    EXPECT_EQ(db->scalar("select count(*) from AmbienteFascola").toInt(), 0);
    EXPECT_EQ(leggiIni(), (nuovo + "\r\n" + contab.pathDitte() + "\r\n" + nuovaCartella + "\r\n" +
                           VersioneDelProgramma() + "\r\n")
                              .toLocal8Bit());
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, nuovo);
}

// A new archive's folder is treated as the invoice folder is: a missing one is offered for
// creation; not wanted, nothing is saved; made, the archive is created in it and linked.
TEST_F(LinkingDialog, ANewArchiveInAMissingFolderIsCreatedOnlyOnceTheUserHasTheFolderMade) {
    const QString a = "Associazione archivi";
    const QString cartellaNuova = cartella.file("nuove/2026");
    const QString nuovo = cartellaNuova + "/fascole.mdb";
    const QString domanda =
        "La cartella \"" + cartellaNuova + "\" dell'archivio delle fascole non esiste. Si vuole crearla?";
    const QByteArray ini = leggiIni();
    ScriptedMessages box;
    ModalHelper modale;
    apri();
    click(form->OptFascoleNuo);
    scrivi(form->TxtFascole, nuovo);
    box.expectMessage(Answer::No, domanda, a);
    conferma();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(QApplication::focusWidget(), form->TxtFascole);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(leggiIni(), ini);
    EXPECT_FALSE(QFileInfo::exists(cartella.file("nuove")));
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, pathArchivio());

    box.expectMessage(Answer::Yes, domanda, a);
    box.expectMessage(Answer::Ok, std::nullopt, "PRIMA DEFINIZIONE DEI PARAMETRI DI FATTURAZIONE");
    modale.onNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    conferma();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_TRUE(db::Database::open(nuovo.toStdString())->tableExists("AmbienteFascola"));
    EXPECT_EQ(leggiIni(), (nuovo + "\r\n" + contab.pathDitte() + "\r\n" + fatture + "\r\n" +
                           VersioneDelProgramma() + "\r\n")
                              .toLocal8Bit());
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, nuovo);
}

// An archive that could be neither opened nor created is refused with the reason before
// anything is saved: the focus on the archive box, the configuration in force kept.
TEST_F(LinkingDialog, AnArchiveThatCanBeNeitherOpenedNorCreatedIsRefusedAndNothingSaved) {
    const QString a = "Associazione archivi";
    const QString unFile = cartella.file("un_file");
    writeFile(unFile, "testo");
    const QString testo = cartella.file("note.mdb");
    writeFile(testo, "non sono un archivio");
    const QString solaLettura = cartella.file("sola_lettura");
    QDir().mkpath(solaLettura);
    struct Caso {
        bool nuovo;
        QString archivio;
        QString motivo;
        bool cartellaSolaLettura = false;
    };
    const Caso casi[] = {
        {true, unFile + "/sotto/fascole.mdb", "\"" + unFile + "\" è un file, non una cartella"},
        {true, solaLettura + "/fascole.mdb", "nella cartella \"" + solaLettura + "\" non si può scrivere", true},
        {false, testo, "il file non è un archivio delle fascole"},
    };
    const QByteArray ini = leggiIni();
    ScriptedMessages box;
    for (const Caso& c : casi) {
        std::optional<CartellaSolaLettura> guardia;
        if (c.cartellaSolaLettura) guardia.emplace(solaLettura);
        apri();
        (c.nuovo ? form->OptFascoleNuo : form->OptFascoleEsi)->setChecked(true);
        form->TxtFascole->setText(c.archivio);
        box.expectMessage(Answer::Ok, "L'archivio delle fascole \"" + c.archivio + "\" non si può usare: " + c.motivo,
                          a);
        conferma();
        EXPECT_EQ(box.pending(), 0) << c.archivio.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), form->TxtFascole) << c.archivio.toStdString();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(leggiIni(), ini) << c.archivio.toStdString();
        EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, pathArchivio());
    }
    EXPECT_EQ(dittaEsercizio(pathArchivio()), QStringList({"ROSSI", "2004"}));
    EXPECT_TRUE(QDir(solaLettura).isEmpty());
}

// Enter typed in a box presses no button: no chooser opens (the scripted service would fail on
// one), nothing is saved and the dialog stays open. The companies list is left last: leaving
// it empties the company and the year.
TEST_F(LinkingDialog, EnterInABoxOpensNoChooserAndSavesNothing) {
    ScriptedMessages box;
    const QByteArray ini = leggiIni();
    apri();
    for (QWidget* campo : std::initializer_list<QWidget*>{form->TxtFascole, form->TxtImmagini, form->DbcDitta,
                                                          form->CmbEsercizio, form->TxtArchivioDitte}) {
        entra(campo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_TRUE(box.asked().empty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(leggiIni(), ini);
    EXPECT_EQ(dittaEsercizio(pathArchivio()), QStringList({"ROSSI", "2004"}));
}

TEST_F(LinkingDialog, EachFailedCheckShowsItsMessageAndSavesNothing) {
    struct Caso {
        std::function<void(FrmCollegamentoArchivi&)> prepara;
        QString messaggio;
        QString titolo;
        const char* fuoco;  // the control that gets the focus; CmdConferma when it stays
        Answer risposta = Answer::Ok;
    };
    const QString A = "Associazione Archivi";
    const QString a = "Associazione archivi";
    const QString esistente = cartella.file("esiste");
    QDir().mkpath(esistente);  // an empty folder is a folder that exists
    const Caso casi[] = {
        {[](auto& f) { f.TxtFascole->setText(""); }, "Definire l'archivio delle fascole", A, "TxtFascole"},
        {[](auto& f) { f.TxtFascole->setText("fascole.MDB"); }, "Il programma deve essere associato a un data base", A,
         "TxtFascole"},
        {[&](auto& f) { f.TxtFascole->setText(cartella.file("manca.mdb")); },
         "Si è indicata una associazione ad un archivio inesistente", a, "TxtFascole"},
        {[&](auto& f) {
             f.OptFascoleNuo->setChecked(true);
             f.TxtFascole->setText(pathArchivio());
         },
         "L'archivio indicato già esiste", a, "TxtFascole"},
        {[](auto& f) { f.TxtImmagini->setText(""); }, "Si deve indicare la cartella di memorizzazione delle immagini",
         a, "TxtImmagini"},
        // A missing folder is offered for creation: not wanted, nothing is saved.
        {[&](auto& f) { f.TxtImmagini->setText(cartella.file("manca/")); },
         "Si è indicata una associazione ad una cartella inesistente (\"" + cartella.file("manca/") +
             "\"). Si vuole crearla?",
         a, "TxtImmagini",
         Answer::No},
        {[&](auto& f) {
             f.OptImmaginiNuo->setChecked(true);
             f.TxtImmagini->setText(esistente);
         },
         "La cartella indicata già esiste", a, "TxtImmagini"},
        {[](auto& f) { f.TxtArchivioDitte->setText(""); },
         "Si deve indicare l'archivio ditte.mdb a cui associare le fascole", a, "TxtArchivioDitte"},
        // Not linked: this dialog always links a companies list.
        {[](auto& f) { f.TxtArchivioDitte->setText("NO"); }, "L'archivio Ditte.mdb deve essere un data base", A,
         "TxtArchivioDitte"},
        {[&](auto& f) { f.TxtArchivioDitte->setText(cartella.file("manca/ditte.mdb")); },
         "E' stato associato un archivio ditte inesistente", a, "TxtArchivioDitte"},
        {[](auto& f) { f.DbcDitta->setEditText(""); }, "Indicare la ditta a cui associare le fascole", a, "DbcDitta"},
        {[](auto& f) { f.CmbEsercizio->setEditText(""); }, "Indicare l'esercizio contabile a cui associare le fascole",
         a, "CmdConferma"},
    };
    const QByteArray ini = leggiIni();
    ScriptedMessages box;
    for (const Caso& c : casi) {
        apri();
        c.prepara(*form);
        box.expectMessage(c.risposta, c.messaggio, c.titolo);
        conferma();
        EXPECT_EQ(box.pending(), 0) << c.messaggio.toStdString();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        const QWidget* fuoco = QApplication::focusWidget();
        if (fuoco->objectName().isEmpty()) fuoco = fuoco->parentWidget();  // a combo's line edit
        EXPECT_EQ(fuoco->objectName(), c.fuoco) << c.messaggio.toStdString();
        EXPECT_EQ(leggiIni(), ini);
        EXPECT_EQ(dittaEsercizio(pathArchivio()), QStringList({"ROSSI", "2004"}));
        EXPECT_TRUE(form->isVisible());
    }
    EXPECT_FALSE(QFileInfo::exists(cartella.file("manca")));
}

// An invoice folder that cannot be created is refused before anything is saved, with either
// choice; a missing one the user wants is created, a relative one in the working folder.
TEST_F(LinkingDialog, AnInvoiceFolderThatCannotBeCreatedIsRefusedAndAMissingOneIsOffered) {
    const QString a = "Associazione archivi";
    const QString unFile = cartella.file("un_file");
    QFile(unFile).open(QIODevice::WriteOnly);
    const QString impossibile = unFile + "/fatture";
    const QString rifiuto =
        "Non è possibile creare la cartella delle fatture \"" + impossibile +
        "\": indicare una cartella esistente o che si possa creare";
    const QByteArray ini = leggiIni();
    ScriptedMessages box;

    apri();
    form->TxtImmagini->setText(impossibile);
    box.expectMessage(Answer::Yes,
                      "Si è indicata una associazione ad una cartella inesistente (\"" + impossibile +
                          "\"). Si vuole crearla?",
                      a)
        .expectMessage(Answer::Ok, rifiuto, a);
    conferma();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(QApplication::focusWidget(), form->TxtImmagini);

    apri();
    form->OptImmaginiNuo->setChecked(true);
    form->TxtImmagini->setText(impossibile);
    box.expectMessage(Answer::Ok, rifiuto, a);
    conferma();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(QApplication::focusWidget(), form->TxtImmagini);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(leggiIni(), ini);

    apri();
    form->TxtImmagini->setText("copie");
    box.expectMessage(Answer::Yes,
                      "Si è indicata una associazione ad una cartella inesistente (\"copie\"). Si vuole crearla?", a);
    conferma();
    EXPECT_EQ(box.pending(), 0);
    EXPECT_TRUE(QFileInfo(QDir(AmbienteLavoro().CartellaAvvio).filePath("copie")).isDir());
    EXPECT_EQ(AmbienteLavoro().CartellaFatture, "copie");
}

TEST_F(LinkingDialog, APathNamingThisComputerBecomesItsOwnPathOnLeavingTheBox) {
    apri();
    struct Caso {
        QString digitato;
        QString dopo;
    };
    const Caso casi[] = {
        {"\\\\PCTEST\\srv\\Dati\\fascole.mdb", "/srv/Dati/fascole.mdb"},
        {"\\\\ALTRO\\C\\Dati\\fascole.mdb", "\\\\ALTRO\\C\\Dati\\fascole.mdb"},
        {"\\\\pctest\\C\\Dati\\fascole.mdb", "\\\\pctest\\C\\Dati\\fascole.mdb"},
        {"\\\\PCTESTBIS\\C\\Dati\\fascole.mdb", "\\\\PCTESTBIS\\C\\Dati\\fascole.mdb"},
        {"/srv/Dati/fascole.mdb", "/srv/Dati/fascole.mdb"},
    };
    for (QLineEdit* box : {form->TxtFascole, form->TxtImmagini, form->TxtArchivioDitte}) {
        for (const Caso& c : casi) {
            scrivi(box, c.digitato);
            entra(form->CmdRinuncia);
            EXPECT_EQ(box->text(), c.dopo) << box->objectName().toStdString() << " " << c.digitato.toStdString();
        }
    }
}

TEST_F(LinkingDialog, LeavingACompaniesListThatHeldAPathAsksForCompanyAndYearAgain) {
    apri();
    entra(form->TxtArchivioDitte);
    entra(form->TxtFascole);
    EXPECT_EQ(form->DbcDitta->currentText(), "");
    EXPECT_EQ(form->CmbEsercizio->currentText(), "");

    // A box that was empty when entered leaves them as they are.
    form->TxtArchivioDitte->clear();
    form->DbcDitta->setEditText("ROSSI");
    form->CmbEsercizio->setEditText("2004");
    scrivi(form->TxtArchivioDitte, contab.pathDitte());
    entra(form->TxtFascole);
    EXPECT_EQ(form->DbcDitta->currentText(), "ROSSI");
    EXPECT_EQ(form->CmbEsercizio->currentText(), "2004");
}

TEST_F(LinkingDialog, TheCompanyListComesFromTheCompaniesListInTheBox) {
    apri();
    entra(form->DbcDitta);
    EXPECT_EQ(elenco(*form->DbcDitta), QStringList({"BIANCHI", "ROSSI"}));
    EXPECT_EQ(form->DbcDitta->currentText(), "ROSSI");
}

TEST_F(LinkingDialog, TheYearListHoldsTheCompanysYearsOnce) {
    const QString rossi = cartella.file("ROSSI/");
    for (const char* nome : {"00007_2003.mdb", "00007_filc.mdb"}) QFile(rossi + nome).open(QIODevice::WriteOnly);
    apri();
    for (int volta = 0; volta < 2; ++volta) {
        entra(form->CmbEsercizio);
        EXPECT_EQ(elenco(*form->CmbEsercizio), QStringList({"2003", "2004"}));
        entra(form->TxtFascole);
        EXPECT_EQ(form->CmbEsercizio->count(), 0);
        EXPECT_EQ(form->CmbEsercizio->currentText(), "2004");
    }
    form->DbcDitta->setEditText("BIANCHI");
    entra(form->CmbEsercizio);
    EXPECT_EQ(elenco(*form->CmbEsercizio), QStringList({"2005"}));
}

TEST_F(LinkingDialog, TheYearListNeedsAKnownCompany) {
    ScriptedMessages box;
    apri();
    const std::pair<QString, QString> casi[] = {
        {"", "Si deve prima definire la ditta su cui lavorare"},
        {"VERDI", "L'acronimo dato non corrisponde a una ditta definita"},
    };
    for (const auto& [ditta, messaggio] : casi) {
        form->DbcDitta->setEditText(ditta);
        box.expectMessage(Answer::Ok, messaggio, "Associazione a nuova ditta");
        entra(form->CmbEsercizio);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(form->CmbEsercizio->count(), 0);
        EXPECT_TRUE(form->DbcDitta->isAncestorOf(QApplication::focusWidget()) ||
                    QApplication::focusWidget() == form->DbcDitta);
        entra(form->TxtFascole);
    }
}

// A companies list on another computer: the company folder is reached through that
// computer's share named after the drive letter of `Dove`.
TEST_F(LinkingDialog, TheYearsOfACompaniesListOnAnotherComputer) {
    const QString radice = cartella.file("rete");
    RadiceCondivisioni montaggio(radice);
    const QString contabilita = radice + "/SERVER/C/CONTAB";
    QDir().mkpath(contabilita);
    {
        AccountingFixture remoto(contabilita);
        remoto.aggiungiDitta("NERI", 5, "C:\\CONTAB\\");
        QDir().mkpath(contabilita + "/NERI");
        for (const char* nome : {"00005_2008.mdb", "00005_2009.mdb"})
            QFile(contabilita + "/NERI/" + nome).open(QIODevice::WriteOnly);
    }
    apri();
    form->TxtArchivioDitte->setText("\\\\SERVER\\C\\CONTAB\\ditte.mdb");
    form->DbcDitta->setEditText("NERI");
    entra(form->CmbEsercizio);
    EXPECT_EQ(elenco(*form->CmbEsercizio), QStringList({"2008", "2009"}));
}

TEST_F(LinkingDialog, ChoosingAnOptionEmptiesItsBox) {
    apri();
    const std::pair<QRadioButton*, QLineEdit*> casi[] = {
        {form->OptFascoleNuo, form->TxtFascole},
        {form->OptFascoleEsi, form->TxtFascole},
        {form->OptImmaginiNuo, form->TxtImmagini},
        {form->OptImmaginiEsi, form->TxtImmagini},
    };
    for (const auto& [opzione, box] : casi) {
        box->setText("qualcosa");
        click(opzione);
        EXPECT_TRUE(opzione->isChecked());
        EXPECT_EQ(box->text(), "") << opzione->objectName().toStdString();
    }
    EXPECT_FALSE(form->OptFascoleNuo->isChecked());
    EXPECT_FALSE(form->OptImmaginiNuo->isChecked());
}

TEST_F(LinkingDialog, ACancelledChooserLeavesTheBoxAsItWas) {
    ScriptedMessages box;
    apri();
    box.expectFile(std::nullopt, "Scegliere l'archivio di lavoro a cui collegarsi");
    click(form->CmdCercaFascole);
    box.expectFile(std::nullopt, "Scegliere la cartella di memorizzazione delle fatture");
    click(form->CmdCercaImmagini);
    box.expectFile(std::nullopt, "Selezionare il file ditte.mdb della contabilità Zolpa");
    click(form->CmdCercaDitte);
    EXPECT_EQ(form->TxtFascole->text(), pathArchivio());
    EXPECT_EQ(form->TxtImmagini->text(), fatture);
    EXPECT_EQ(form->TxtArchivioDitte->text(), contab.pathDitte());

    const auto& chiesto = box.asked();
    ASSERT_EQ(chiesto.size(), 3u);
    EXPECT_EQ(chiesto[0].file.filter, "Archivi (*.mdb) |*.mdb|");
    EXPECT_EQ(chiesto[0].file.defaultExtension, ".mdb");
    EXPECT_FALSE(chiesto[0].file.save);
    EXPECT_TRUE(chiesto[1].file.save);
    EXPECT_EQ(chiesto[1].file.filterIndex, 0);
    EXPECT_EQ(chiesto[2].file.filter, "(*.mdb) |*.mdb|");
}

TEST_F(LinkingDialog, RinunciaClosesWithoutSaving) {
    ScriptedMessages box;
    const QByteArray ini = leggiIni();
    ParametriFattura().NumeroDocumento = "15";
    apri();
    scrivi(form->TxtFascole, cartella.file("altro.mdb"));
    form->DbcDitta->setEditText("BIANCHI");
    click(form->CmdRinuncia);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(leggiIni(), ini);
    EXPECT_EQ(AmbienteLavoro().PathArchivioFascole, pathArchivio());
    EXPECT_EQ(ParametriFattura().Ditta, "ROSSI");
    EXPECT_EQ(ParametriFattura().NumeroDocumento, "15");
    EXPECT_TRUE(box.asked().empty());
}

}  // namespace
