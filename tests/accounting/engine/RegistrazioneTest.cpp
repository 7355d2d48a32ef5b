#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <vector>

#include "accounting/engine/NumeriRegistrazione.h"
#include "accounting/engine/RegistrazioneContabile.h"
#include "accounting/engine/SchemaContabile.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/ContabilitaCollegata.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

const QString Giorno = "18/01/2004";
const std::string GiornoIso = "2004-01-18";
const QString Cliente = "01.01.01.0001";

Currency euro(const char* testo) { return *Currency::parse(testo, '.'); }

class RegistrazioneTest : public ContabilitaCollegata {
protected:
    void SetUp() override {
        ContabilitaCollegata::SetUp();
        // An earlier registration of another day, so that the new header is not the first row.
        AccountingFixture::inserisci(*archivio, "giornale", {{"giorno", "2004-01-10"}, {"numero", 1}});
    }

    // An invoice of 180 on two revenue accounts with VAT 20% on 150 and 10% on 30, filled as
    // the document issue fills it, with a number freshly reserved for its day.
    DatiRegistrazione fattura() {
        DatiRegistrazione d;
        const QString voci[27] = {"", "FASCOLA", "C", "S", "EUR", "1.00", Giorno, "", Giorno, "0012", "N",
                                  "EMESSA FATTURA N. 13 A Rossi Mario", "F", "V", Cliente, "13", "213,00", "N",
                                  "2", "4", "FASCOLA", AmbienteLavoro().PathArchivioContabile, "0", "0", "N", "NO",
                                  "0"};
        std::copy(std::begin(voci), std::end(voci), d.Testata.begin());
        d.Testata[7] = AssegnaNumeroRegistrazione(*archivio, Giorno);
        d.CodiciIva = {"20", "10"};
        d.Imponibili = {euro("150"), euro("30")};
        d.Imposte = {euro("30"), euro("3")};
        d.Segni = {"D", "A", "A", "A"};
        d.Conti = {Cliente, "04.01.01.0001", "04.01.01.0002", "02.02.01.0001"};
        d.Importi = {euro("213"), euro("130"), euro("50"), euro("33")};
        return d;
    }

    // Every row of every table, to tell whether anything at all changed.
    QStringList contenuto() {
        QStringList righe;
        for (const db::Table& t : SchemaArchivioContabile()) {
            db::Statement st(*archivio, "SELECT * FROM \"" + t.name + "\" ORDER BY rowid");
            while (st.step()) {
                QString riga = QString::fromStdString(t.name);
                for (int i = 0; i < st.columnCount(); ++i)
                    riga += "|" + QString::fromStdString(st.column(i).textOr("<Null>"));
                righe << riga;
            }
        }
        return righe;
    }

    std::vector<std::vector<std::string>> righe(const std::string& sql, const db::Params& params = {}) {
        std::vector<std::vector<std::string>> tutte;
        db::Statement st(*archivio, sql, params);
        while (st.step()) {
            std::vector<std::string> riga;
            for (int i = 0; i < st.columnCount(); ++i) riga.push_back(st.column(i).textOr("<Null>"));
            tutte.push_back(riga);
        }
        return tutte;
    }
};

TEST_F(RegistrazioneTest, InvoiceWritesHeaderLinesVatLinesAndConfirmsTheNumber) {
    DatiRegistrazione d = fattura();
    ASSERT_EQ(d.Testata[7], "00001");
    ASSERT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita);
    EXPECT_EQ(d.Testata[7], "00001");
    EXPECT_EQ(d.Testata[5], "1,00") << "the amount text is written back as the conversion read it";
    EXPECT_EQ(d.Testata[16], "213,00");

    const auto testate = righe(
        "SELECT contatore, giorno, numero, madre, tipo, iva, descrizione, datadocumento, protocollo, competenza, "
        "stampaiva, stampagio, appunti, immagine, valuta, cambio, clientefornitoreiva, registroiva, "
        "tipodocumentoiva, protocolloiva, linkivasospe, competenzaiva, totaleiva FROM giornale WHERE giorno = ?",
        {GiornoIso});
    ASSERT_EQ(testate.size(), 1u);
    const std::string contatore = testate[0][0];
    EXPECT_NE(contatore, "1");
    EXPECT_EQ(testate[0], (std::vector<std::string>{contatore, GiornoIso, "1", "FASCOLA", "C", "1",
                                                    "EMESSA FATTURA N. 13 A Rossi Mario", GiornoIso, "0012", "0",
                                                    "0", "0", "0", "NO", "EUR", "1", Cliente.toStdString(), "V", "F", "13", "0",
                                                    "0", "213"}));

    EXPECT_EQ(righe("SELECT giorno, numero, codice, importo, segno, costo, ordinale FROM giornaledettaglio ORDER BY rowid"),
              (std::vector<std::vector<std::string>>{{GiornoIso, "1", Cliente.toStdString(), "213", "D", "0", "1"},
                                                     {GiornoIso, "1", "04.01.01.0001", "130", "A", "0", "1"},
                                                     {GiornoIso, "1", "04.01.01.0002", "50", "A", "0", "2"},
                                                     {GiornoIso, "1", "02.02.01.0001", "33", "A", "0", "3"}}));
    EXPECT_EQ(righe("SELECT linkgiornale, imponibile, imposta, codiceiva, ordinaleiva FROM ivadettaglio ORDER BY rowid"),
              (std::vector<std::vector<std::string>>{{contatore, "150", "30", "20", "1"},
                                                     {contatore, "30", "3", "10", "2"}}));
    EXPECT_EQ(righe("SELECT giorno, numero, confermato FROM giornalenumero"),
              (std::vector<std::vector<std::string>>{{GiornoIso, "1", "1"}}));
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(RegistrazioneTest, DetailLinesAreNumberedWithinTheirSide) {
    const struct {
        QStringList segni;
        std::vector<std::string> ordinali;
    } casi[] = {
        {{"D", "A", "A", "D", "A"}, {"1", "1", "2", "2", "3"}},
        // Only "A" is a credit: any other text, "a" included, counts on the debit side and is
        // written as given.
        {{"a", "X", "A", "D"}, {"1", "2", "1", "3"}},
    };
    for (const auto& caso : casi) {
        archivio->execute("DELETE FROM giornaledettaglio");
        DatiRegistrazione d = fattura();
        d.Segni.assign(caso.segni.begin(), caso.segni.end());
        d.Conti.assign(size_t(caso.segni.size()), "04.01.01.0001");
        d.Importi.assign(size_t(caso.segni.size()), euro("10"));
        d.Testata[19] = QString::number(caso.segni.size());
        ASSERT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita);

        std::vector<std::vector<std::string>> attese;
        for (qsizetype i = 0; i < caso.segni.size(); ++i)
            attese.push_back({caso.segni[i].toStdString(), caso.ordinali[size_t(i)]});
        EXPECT_EQ(righe("SELECT segno, ordinale FROM giornaledettaglio ORDER BY rowid"), attese);
    }
}

TEST_F(RegistrazioneTest, WithoutVatTheVatColumnsAreEmptyAndNoVatLineIsWritten) {
    for (const char* iva : {"N", "s"}) {
        archivio->execute("DELETE FROM ivadettaglio");
        DatiRegistrazione d = fattura();
        d.Testata[3] = iva;
        d.Testata[16] = "non è un importo";  // not read without VAT
        d.Testata[17] = "S";
        d.Testata[26] = "5";
        ASSERT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita) << iva;
        EXPECT_EQ(righe("SELECT iva, clientefornitoreiva, registroiva, tipodocumentoiva, protocolloiva, linkivasospe, "
                        "competenzaiva, totaleiva FROM giornale WHERE giorno = ? AND numero = ?",
                        {GiornoIso, d.Testata[7].toInt()}),
                  (std::vector<std::vector<std::string>>{{"0", "", "", "", "", "0", "0", "0"}}))
            << iva;
        EXPECT_EQ(archivio->scalar("SELECT count(*) FROM ivadettaglio").toInt(), 0) << iva;
        EXPECT_EQ(archivio->scalar("SELECT confermato FROM giornalenumero WHERE giorno = ? AND numero = ?",
                                   {GiornoIso, d.Testata[7].toInt()}).toInt(), 1) << iva;
    }
}

TEST_F(RegistrazioneTest, VatRegistrationWithoutVatLinesIsStillConfirmed) {
    DatiRegistrazione d = fattura();
    d.Testata[18] = "0";
    ASSERT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita);
    EXPECT_EQ(archivio->scalar("SELECT count(*) FROM ivadettaglio").toInt(), 0);
    EXPECT_EQ(archivio->scalar("SELECT confermato FROM giornalenumero WHERE giorno = ? AND numero = 1", {GiornoIso}).toInt(), 1);
}

TEST_F(RegistrazioneTest, ANumberAlreadyInTheJournalIsReplacedByAFreshOne) {
    DatiRegistrazione d = fattura();  // reserves 1
    // Meanwhile number 1 reached the journal another way, and 2 was reserved by someone else.
    AccountingFixture::inserisci(*archivio, "giornale", {{"giorno", GiornoIso}, {"numero", 1}});
    AccountingFixture::inserisci(*archivio, "giornalenumero", {{"giorno", GiornoIso}, {"numero", 2}, {"confermato", false}});

    ASSERT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita);
    EXPECT_EQ(d.Testata[7], "00003");
    EXPECT_EQ(righe("SELECT DISTINCT numero FROM giornaledettaglio"), (std::vector<std::vector<std::string>>{{"3"}}));
    EXPECT_EQ(righe("SELECT numero, confermato FROM giornalenumero WHERE giorno = ? ORDER BY numero", {GiornoIso}),
              (std::vector<std::vector<std::string>>{{"1", "0"}, {"2", "0"}, {"3", "1"}}));
    // The VAT lines belong to the new header, not to the other one of the same day.
    EXPECT_EQ(righe("SELECT DISTINCT linkgiornale FROM ivadettaglio"),
              righe("SELECT contatore FROM giornale WHERE giorno = ? AND numero = 3", {GiornoIso}));
}

TEST_F(RegistrazioneTest, AFreeNumberNeverReservedIsPostedInFiveDigits) {
    DatiRegistrazione d = fattura();
    archivio->execute("DELETE FROM giornalenumero");
    d.Testata[7] = "12";
    ASSERT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita);
    EXPECT_EQ(d.Testata[7], "00012");
    EXPECT_EQ(archivio->scalar("SELECT numero FROM giornale WHERE giorno = ?", {GiornoIso}).toInt(), 12);
    EXPECT_EQ(archivio->scalar("SELECT count(*) FROM giornalenumero").toInt(), 0) << "nothing to confirm";
}

TEST_F(RegistrazioneTest, NoRegistrationNumberIsRefused) {
    DatiRegistrazione d = fattura();
    d.Testata[7] = NessunNumeroRegistrazione;
    const QStringList prima = contenuto();
    EXPECT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneSenzaNumero);
    EXPECT_EQ(contenuto(), prima);
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(RegistrazioneTest, AFailureLeftThroughTheHandlerLeavesTheArchiveAsItWas) {
    const struct {
        const char* guasto;
        std::function<void(DatiRegistrazione&)> prepara;
    } casi[] = {
        {"a VAT line refused by the archive",
         [this](DatiRegistrazione&) {
             archivio->execute("CREATE TRIGGER guasto BEFORE INSERT ON ivadettaglio WHEN NEW.ordinaleiva = 2 "
                               "BEGIN SELECT RAISE(ABORT, 'riga iva rifiutata'); END");
         }},
        {"an account code too long for its column", [](DatiRegistrazione& d) { d.Conti[2] = "04.01.01.00020"; }},
        // Without it the header would be written with no date, its lines belonging to no header.
        {"a document date that is no date", [](DatiRegistrazione& d) { d.Testata[8] = "31/02/2004"; }},
        {"an exchange rate that is no amount", [](DatiRegistrazione& d) { d.Testata[5] = "1-2"; }},
        {"a document total that is no amount", [](DatiRegistrazione& d) { d.Testata[16] = "12,,5"; }},
        {"a header refused by the archive", [](DatiRegistrazione& d) { d.Testata[11] = QString(101, 'X'); }},
        {"the confirmation refused by the archive",
         [this](DatiRegistrazione&) {
             archivio->execute("CREATE TRIGGER guasto BEFORE UPDATE ON giornalenumero "
                               "BEGIN SELECT RAISE(ABORT, 'conferma rifiutata'); END");
         }},
    };
    // A registration is whole or nothing: Ignore leaves it as Abort does.
    for (Answer risposta : {Answer::Abort, Answer::Ignore}) {
        for (const auto& caso : casi) {
            SCOPED_TRACE(std::string(caso.guasto) + (risposta == Answer::Abort ? ", Abort" : ", Ignore"));
            archivio->execute("DROP TRIGGER IF EXISTS guasto");
            DatiRegistrazione d = fattura();
            caso.prepara(d);
            const QStringList prima = contenuto();

            ScriptedMessages messaggi;
            messaggi.expectMessage(risposta, std::nullopt, "GESTIONE DEGLI ERRORI");
            EXPECT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneAbbandonata);
            EXPECT_EQ(messaggi.messageTexts().size(), 1);
            EXPECT_TRUE(
                messaggi.messageTexts().value(0).contains("Funzione: Funzione di esecuzione della Registrazione contabile"));
            EXPECT_EQ(contenuto(), prima);
        }
    }
}

TEST_F(RegistrazioneTest, LineCountsTheArraysCannotHonourAreRefusedBeforeAnythingIsWritten) {
    const struct {
        int voce;
        QString conteggio;
    } casi[] = {
        {19, "99999999999999999999"}, {19, "-5"}, {19, "0"}, {19, ""}, {19, "5"}, {19, "1.5"},
        {18, "99999999999999999999"}, {18, "-1"}, {18, "3"}, {18, "0.5"},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(std::to_string(caso.voce) + " = " + caso.conteggio.toStdString());
        DatiRegistrazione d = fattura();
        d.Testata[caso.voce] = caso.conteggio;
        const QStringList prima = contenuto();
        EXPECT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneRigheNonValide);
        EXPECT_EQ(contenuto(), prima) << "no header, no reservation";
    }
    // The VAT count means nothing without VAT.
    DatiRegistrazione d = fattura();
    d.Testata[3] = "N";
    d.Testata[18] = "99999999999999999999";
    EXPECT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita);
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(RegistrazioneTest, ANumberOfTheJournalIsNeverPostedTwiceEvenWithoutAReservation) {
    // Number 1 typed by hand, never reserved, posted three times on one day.
    std::vector<QString> usati;
    for (int volta = 0; volta < 3; ++volta) {
        DatiRegistrazione d = fattura();
        archivio->execute("DELETE FROM giornalenumero WHERE confermato = 0");
        d.Testata[7] = "1";
        ASSERT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneEseguita);
        usati.push_back(d.Testata[7]);
    }
    EXPECT_EQ(usati, (std::vector<QString>{"00001", "00002", "00003"}));
    EXPECT_EQ(righe("SELECT numero, count(*) FROM giornale WHERE giorno = ? GROUP BY numero ORDER BY numero",
                    {GiornoIso}),
              (std::vector<std::vector<std::string>>{{"1", "1"}, {"2", "1"}, {"3", "1"}}));
}

TEST_F(RegistrazioneTest, IgnoringAFailedLineLeavesTheWholeRegistration) {
    // An unbalanced journal entry is never committed, whatever the answer.
    DatiRegistrazione d = fattura();
    d.Conti[2] = "04.01.01.00020";
    const QStringList prima = contenuto();
    box.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
    EXPECT_EQ(RegistrazioneContabile(*archivio, d), RegistrazioneAbbandonata);
    EXPECT_EQ(contenuto(), prima);
    EXPECT_EQ(archivio->scalar("SELECT count(*) FROM giornaledettaglio").toInt(), 0);
}

}  // namespace
