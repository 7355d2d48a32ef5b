// Issuing a document is one whole over both archives: its number on the VAT register, a
// registration number, the posting, and the marks on its fee items in the case-file archive,
// in one transaction on the program's session. Each step is made to fail in turn; both files
// must then be exactly as before, table by table. When nothing fails, all of it is there.
#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <map>
#include <optional>

#include "accounting/engine/NumerazioneDocumenti.h"
#include "accounting/engine/NumeriRegistrazione.h"
#include "accounting/engine/RegistrazioneContabile.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

const QString Giorno = "18/01/2004";
const QString Cliente = "01.01.01.0001";

Currency euro(int n) { return Currency::fromUnits(n); }

class EmissioneComposta : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        fascole.addFeeItem(Cliente, "0001", "0000", "0000", "ONO", {{"impofat", 100}});
        fascole.addFeeItem(Cliente, "0001", "0000", "0000", "SPE", {{"impofat", 20}});
        fascole.close();
        AmbienteLavoro().PathArchivioFascole = fascole.path();
        contab.creaCampione();
        contab.collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
        ParametriFattura().RegistroIva = "V";
    }
    void TearDown() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        ImpostaOrologioAttese(nullptr);
    }

    // The posting of an invoice of 120 + VAT 20%.
    DatiRegistrazione registrazione(const QString& numeroDocumento) {
        DatiRegistrazione d;
        const QString voci[27] = {"", "FASCOLA", "C", "S", "EUR", "1", Giorno, "", Giorno, "", "N",
                                  "EMESSA FATTURA N. " + numeroDocumento, "F", "V", Cliente, numeroDocumento,
                                  "144,00", "N", "1", "3", "FASCOLA", AmbienteLavoro().PathArchivioContabile,
                                  "0", "0", "N", "", "0"};
        std::copy(std::begin(voci), std::end(voci), d.Testata.begin());
        d.CodiciIva = {"20"};
        d.Imponibili = {euro(120)};
        d.Imposte = {euro(24)};
        d.Segni = {"D", "A", "A"};
        d.Conti = {Cliente, "04.01.01.0001", "02.02.01.0001"};
        d.Importi = {euro(144), euro(120), euro(24)};
        return d;
    }

    // The issue as its caller composes it: all of it, or none of it.
    bool emetti() {
        OperazioneIndivisibile emissione;
        Procedura proc("Funzione di emissione del documento");
        Connessione sessione = ArchivioContabileInUso(proc);
        if (!sessione) return false;
        std::optional<db::Transaction> scrittura;
        if (!proc.essenziale([&] { scrittura.emplace(*sessione); })) return false;

        const QString numero = NumeroFattura(*sessione, "F");
        if (numero.isEmpty()) return false;
        DatiRegistrazione d = registrazione(numero);
        d.Testata[7] = AssegnaNumeroRegistrazione(*sessione, Giorno);
        if (d.Testata[7] == NessunNumeroRegistrazione) return false;
        if (RegistrazioneContabile(*sessione, d) != RegistrazioneEseguita) return false;
        const QString idfattura = "0001040118" + numero.rightJustified(5, '0');
        if (!proc.esegui([&] {
                sessione->execute("UPDATE competenze SET fatturato = 1, idfattura = ?, idpn = ? "
                                  "WHERE cliente = ? AND npra = '0001' AND fatturato = 0",
                                  {idfattura, d.Testata[7], Cliente});
            }))
            return false;
        if (emissione.interrotta()) return false;
        return proc.essenziale([&] { scrittura->commit(); });
    }

    // Every row of every table of one file, read on a connection of its own.
    std::map<std::string, QStringList> contenuto(const QString& path) {
        auto db = db::Database::open(path.toStdString());
        std::map<std::string, QStringList> tabelle;
        db::Statement nomi(*db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
        while (nomi.step()) {
            const std::string tabella = nomi.column(0).toText();
            QStringList& righe = tabelle[tabella];
            db::Statement st(*db, "SELECT * FROM \"" + tabella + "\" ORDER BY rowid");
            while (st.step()) {
                QString riga;
                for (int i = 0; i < st.columnCount(); ++i) riga += QString::fromStdString(st.column(i).textOr("<Null>")) + "|";
                righe << riga;
            }
        }
        return tabelle;
    }
    std::pair<std::map<std::string, QStringList>, std::map<std::string, QStringList>> entrambi() {
        return {contenuto(AmbienteLavoro().PathArchivioFascole), contenuto(AmbienteLavoro().PathArchivioContabile)};
    }
    std::unique_ptr<db::Database> contabile() { return AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile); }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("Fascole.mdb")};
    AccountingFixture contab{dir.path()};
};

TEST_F(EmissioneComposta, WhenNothingFailsEveryStepIsCommittedOverBothFiles) {
    ScriptedMessages box;
    ASSERT_TRUE(emetti());
    EXPECT_TRUE(box.asked().empty());

    auto c = contabile();
    EXPECT_EQ(c->scalar("SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").toInt(), 13);
    EXPECT_EQ(c->scalar("SELECT count(*) FROM giornale WHERE giorno = '2004-01-18' AND numero = 1").toInt(), 1);
    EXPECT_EQ(c->scalar("SELECT count(*) FROM giornaledettaglio").toInt(), 3);
    EXPECT_EQ(c->scalar("SELECT count(*) FROM ivadettaglio").toInt(), 1);
    EXPECT_EQ(c->scalar("SELECT confermato FROM giornalenumero WHERE numero = 1").toInt(), 1);
    auto f = db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString());
    EXPECT_EQ(f->scalar("SELECT count(*) FROM competenze WHERE fatturato = 1 AND idfattura = '000104011800013' "
                        "AND idpn = '00001'").toInt(), 2);
}

TEST_F(EmissioneComposta, AFailureAtAnyStepLeavesBothFilesAsTheyWere) {
    const struct {
        const char* passo;
        const char* funzione;     // the procedure whose failure the user is told of
        bool contabile;           // the faulty trigger sits in the accounting archive
        const char* trigger;
    } casi[] = {
        {"document number", "Funzione di determinazione numero fattura", true,
         "CREATE TRIGGER guasto BEFORE UPDATE ON ivaregistri BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
        {"registration number", "Assegnazione del numero progressivo registrazione", true,
         "CREATE TRIGGER guasto BEFORE INSERT ON giornalenumero BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
        {"posting header", "Funzione di esecuzione della Registrazione contabile", true,
         "CREATE TRIGGER guasto BEFORE INSERT ON giornale BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
        {"posting line", "Funzione di esecuzione della Registrazione contabile", true,
         "CREATE TRIGGER guasto BEFORE INSERT ON giornaledettaglio WHEN NEW.ordinale = 2 "
         "BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
        {"posting VAT line", "Funzione di esecuzione della Registrazione contabile", true,
         "CREATE TRIGGER guasto BEFORE INSERT ON ivadettaglio BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
        {"fee items marked invoiced", "Funzione di emissione del documento", false,
         "CREATE TRIGGER guasto BEFORE UPDATE ON competenze WHEN OLD.elemento = 'SPE' "
         "BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
    };
    for (Answer risposta : {Answer::Abort, Answer::Ignore}) {
        for (const auto& caso : casi) {
            SCOPED_TRACE(std::string(caso.passo) + (risposta == Answer::Abort ? ", Abort" : ", Ignore"));
            ChiudiSessione();
            const QString file = caso.contabile ? AmbienteLavoro().PathArchivioContabile : AmbienteLavoro().PathArchivioFascole;
            db::Database::open(file.toStdString())->execute(caso.trigger);
            const auto prima = entrambi();

            ScriptedMessages box;
            box.expectMessage(risposta, std::nullopt, "GESTIONE DEGLI ERRORI");
            EXPECT_FALSE(emetti());
            ASSERT_EQ(box.messageTexts().size(), 1);
            EXPECT_TRUE(box.messageTexts()[0].contains(QString("Funzione: ") + caso.funzione))
                << box.messageTexts()[0].toStdString();

            const auto dopo = entrambi();
            for (const auto& [tabella, righe] : prima.first) EXPECT_EQ(dopo.first.at(tabella), righe) << tabella;
            for (const auto& [tabella, righe] : prima.second) EXPECT_EQ(dopo.second.at(tabella), righe) << tabella;
            EXPECT_FALSE(ArchivioInUso()->inTransaction());

            ChiudiSessione();
            db::Database::open(file.toStdString())->execute("DROP TRIGGER guasto");
        }
    }
    // And then, with nothing in the way, the same issue goes through whole.
    ScriptedMessages box;
    EXPECT_TRUE(emetti());
    EXPECT_EQ(contabile()->scalar("SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").toInt(), 13);
}

// The last step, the commit, cannot take the write lock of a file that another workstation
// is reading: the error handler waits, then asks; leaving commits nothing in either file.
TEST_F(EmissioneComposta, ACommitThatCannotLockAFileCommitsNothing) {
    for (bool contabileBloccato : {false, true}) {
        SCOPED_TRACE(contabileBloccato ? "accounting archive read elsewhere" : "case-file archive read elsewhere");
        ChiudiSessione();
        const auto prima = entrambi();
        auto altra = db::Database::open(
            (contabileBloccato ? AmbienteLavoro().PathArchivioContabile : AmbienteLavoro().PathArchivioFascole).toStdString());
        altra->execute("BEGIN");
        altra->scalar(contabileBloccato ? "SELECT count(*) FROM giornale" : "SELECT count(*) FROM competenze");

        int64_t adesso = 0;
        ImpostaOrologioAttese([&] { return adesso += 20000; });  // each look finds 20 s gone
        ScriptedMessages box;
        box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
        EXPECT_FALSE(emetti());
        ImpostaOrologioAttese(nullptr);
        RipristinaAttesaBlocco();
        ASSERT_EQ(box.messageTexts().size(), 1);
        EXPECT_TRUE(box.messageTexts()[0].contains("(è stato eseguito un ciclo di attesa di 15 secondi)"));
        EXPECT_TRUE(box.messageTexts()[0].contains("Funzione: Funzione di emissione del documento"));

        altra->execute("COMMIT");
        altra.reset();
        EXPECT_EQ(entrambi(), prima);
    }
}

}  // namespace
