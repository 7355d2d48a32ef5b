#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "accounting/engine/NumerazioneDocumenti.h"
#include "accounting/engine/NumeriRegistrazione.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/ContabilitaCollegata.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

const QString Giorno = "18/01/2004";
const std::string GiornoIso = "2004-01-18";

class ArchivioCollegato : public ContabilitaCollegata {
protected:
    struct Contatori {
        db::Value fattura, aumento, diminuzione;
        bool operator==(const Contatori&) const = default;
    };
    Contatori contatori(const QString& registro) {
        auto rs = archivio->openRecordset("SELECT * FROM ivaregistri WHERE codice = ?", {registro});
        return {rs->field("numerofattura"), rs->field("numerovariazioneaum"), rs->field("numerovariazionedim")};
    }
    std::vector<Contatori> tuttiIContatori() {
        std::vector<Contatori> tutti;
        auto rs = archivio->openRecordset("SELECT codice FROM ivaregistri ORDER BY codice");
        for (; !rs->EOF_(); rs->MoveNext()) tutti.push_back(contatori(rs->field("codice").toText<QString>()));
        return tutti;
    }

    void riserva(const std::string& giorno, int numero, bool confermato = false) {
        AccountingFixture::inserisci(*archivio, "giornalenumero",
                                     {{"giorno", giorno}, {"numero", numero}, {"confermato", confermato}});
    }
    void testata(const std::string& giorno, int numero) {
        AccountingFixture::inserisci(*archivio, "giornale", {{"giorno", giorno}, {"numero", numero}});
    }
    // The numbers recorded for a day, with their confirmation, in order.
    std::vector<std::pair<int, bool>> riservati(const std::string& giorno = GiornoIso) {
        std::vector<std::pair<int, bool>> numeri;
        auto rs = archivio->openRecordset("SELECT numero, confermato FROM giornalenumero WHERE giorno = ? ORDER BY numero",
                                          {giorno});
        for (; !rs->EOF_(); rs->MoveNext()) numeri.emplace_back(int(rs->field("numero").toInt()), rs->field("confermato").toBool());
        return numeri;
    }
};

// Another workstation's connection holding the archive's write lock: the handler is told of
// the conflict once the silent wait is over (a clock that jumps 20 s at each look), and then
// the other workstation finishes its work and the user answers Retry.
class AltraPostazione final : public ui::MessageService {
public:
    explicit AltraPostazione(std::function<void()> finisce) : finisce_(std::move(finisce)), previous_(&current()) {
        install(this);
        ImpostaOrologioAttese([this] { return adesso_ += 20000; });
    }
    ~AltraPostazione() override {
        install(previous_);
        ImpostaOrologioAttese(nullptr);
    }
    Answer message(const ui::MessageRequest& request) override {
        ++domande;
        EXPECT_EQ(request.title, "GESTIONE DEGLI ERRORI");
        EXPECT_TRUE(request.text.contains("3218")) << request.text.toStdString();
        if (finisce_) std::exchange(finisce_, nullptr)();
        return Answer::Retry;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseFile(const ui::FileRequest&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&, const QString&) override { return {}; }

    int domande = 0;

private:
    std::function<void()> finisce_;
    ui::MessageService* previous_;
    int64_t adesso_ = 0;
};

// ---------------------------------------------------------------------------------------
// NumeroFattura

using NumeroFatturaTest = ArchivioCollegato;

TEST_F(NumeroFatturaTest, EachCriterionNumbersTheKindsOnItsCounters) {
    // Sample registers: V criterion "1" (12), W "2" (12, 4), Z "3" (12, 4, 0, suffix "A").
    const struct {
        const char* registro;
        std::vector<QString> lettere;
        std::vector<QString> numeri;
        Contatori dopo;
    } casi[] = {
        {"V", {"F", "E", "H"}, {"13", "14", "15"}, {15, 0, 0}},
        {"W", {"F", "E", "H"}, {"13", "5", "6"}, {13, 6, 0}},
        {"Z", {"H", "E", "F", "H"}, {"1 A", "5 A", "13 A", "2 A"}, {13, 5, 2}},
    };
    for (const auto& caso : casi) {
        ParametriFattura().RegistroIva = caso.registro;
        for (size_t i = 0; i < caso.lettere.size(); ++i)
            EXPECT_EQ(NumeroFattura(*archivio, caso.lettere[i]), caso.numeri[i]) << caso.registro << " " << i;
        EXPECT_EQ(contatori(caso.registro), caso.dopo) << caso.registro;
    }
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(NumeroFatturaTest, NoteUnderACriterionWithoutItsCounterGetsNoNumber) {
    AccountingFixture::aggiungiRegistro(*archivio, "4", "V", "4", 12, 4, 7);
    AccountingFixture::aggiungiRegistro(*archivio, "E", "V", "", 12, 4, 7);
    AccountingFixture::aggiungiRegistro(*archivio, "N", "V", db::Value(), 12, 4, 7, db::Value());
    for (const char* registro : {"4", "E", "N"}) {
        ParametriFattura().RegistroIva = registro;
        const Contatori prima = contatori(registro);
        EXPECT_EQ(NumeroFattura(*archivio, "E"), "") << registro;
        EXPECT_EQ(NumeroFattura(*archivio, "H"), "") << registro;
        EXPECT_EQ(contatori(registro), prima) << registro;
        // An invoice does not look at the criterion; no suffix (empty or none) adds nothing.
        EXPECT_EQ(NumeroFattura(*archivio, "F"), "13") << registro;
    }
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(NumeroFatturaTest, UnknownRegisterOrLetterIsReportedAndNothingIsWritten) {
    const struct {
        const char* registro;
        const char* lettera;
        QString messaggio;
    } casi[] = {
        {"Q", "F", "Errore chiamata a <NumeroFattura>. Specificato un registro iva inesistente (Q)"},
        // The register is looked up first: a wrong letter on a missing register.
        {"Q", "X", "Errore chiamata a <NumeroFattura>. Specificato un registro iva inesistente (Q)"},
        {"W", "X", "Errore chiamata a <NumeroFattura>. Specificato un documento iva inesistente (X)"},
        {"W", "f", "Errore chiamata a <NumeroFattura>. Specificato un documento iva inesistente (f)"},
    };
    const auto prima = tuttiIContatori();
    for (const auto& caso : casi) {
        ScriptedMessages messaggi;
        messaggi.expectMessage(Answer::Ok, caso.messaggio, "");
        ParametriFattura().RegistroIva = caso.registro;
        EXPECT_EQ(NumeroFattura(*archivio, caso.lettera), "");
        ASSERT_EQ(messaggi.asked().size(), 1u);
        EXPECT_EQ(messaggi.asked()[0].icon, ui::Icon::Critical);
        EXPECT_EQ(messaggi.asked()[0].buttons, ui::Buttons::Ok);
    }
    EXPECT_EQ(tuttiIContatori(), prima);
}

TEST_F(NumeroFatturaTest, ACounterThatCannotBeReadOrWrittenHandsOutNoNumber) {
    // Going on past the failure must not hand out a number the register does not record.
    AccountingFixture::aggiungiRegistro(*archivio, "N", "V", "1");
    archivio->execute("UPDATE ivaregistri SET numerofattura = NULL WHERE codice = 'N'");
    archivio->execute("CREATE TRIGGER guasto BEFORE UPDATE ON ivaregistri WHEN OLD.codice = 'W' "
                      "BEGIN SELECT RAISE(ABORT, 'registro bloccato'); END");
    for (const char* registro : {"N", "W"}) {
        ScriptedMessages messaggi;
        messaggi.expectMessage(Answer::Ignore, std::nullopt, "GESTIONE DEGLI ERRORI");
        ParametriFattura().RegistroIva = registro;
        const Contatori prima = contatori(registro);
        EXPECT_EQ(NumeroFattura(*archivio, "F"), "") << registro;
        EXPECT_EQ(contatori(registro), prima) << registro;
        EXPECT_TRUE(messaggi.messageTexts().value(0).contains("Funzione: Funzione di determinazione numero fattura"));
    }
}

TEST_F(NumeroFatturaTest, TwoWorkstationsNeverGetTheSameNumber) {
    // The other workstation has advanced the counter to 13 and not yet committed: this one
    // must wait for it and issue 14, not read 12 and issue 13 a second time.
    ParametriFattura().RegistroIva = "V";
    auto altra = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
    auto lavoro = std::make_unique<db::Transaction>(*altra);
    altra->execute("UPDATE ivaregistri SET numerofattura = 13 WHERE codice = 'V'");

    AltraPostazione attesa([&] { lavoro->commit(); });
    EXPECT_EQ(NumeroFattura(*archivio, "F"), "14");
    EXPECT_EQ(attesa.domande, 1);
    EXPECT_EQ(contatori("V").fattura.toInt(), 14);
}

// A number a journal header of the register already carries on the same counter (typed on a
// document before the counter reached it) is passed over, never handed out twice.
TEST_F(NumeroFatturaTest, NumbersTheJournalAlreadyHoldsArePassedOver) {
    const struct {
        const char* registro;
        const char* lettera;
        std::vector<std::pair<const char*, const char*>> nelGiornale;  // letter, document number
        QString numero;
        Contatori dopo;
    } casi[] = {
        // V numbers every kind on one counter: an invoice 13 and a debit note "14" are passed.
        {"V", "F", {{"F", "13"}, {"E", "14"}, {"F", "16"}}, "15", {15, 0, 0}},
        // W gives notes their own counter: an invoice 13 is none of a note's business.
        {"W", "E", {{"F", "5"}, {"H", "5"}, {"E", " 6"}}, "7", {12, 7, 0}},
        // Z appends its suffix; the journal's number "13 A" is 13.
        {"Z", "F", {{"F", "13 A"}, {"E", "14 A"}}, "14 A", {14, 4, 0}},
        // Another register's numbers do not count.
        {"V", "F", {}, "13", {13, 0, 0}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.registro);
        archivio->execute("DELETE FROM giornale");
        archivio->execute("UPDATE ivaregistri SET numerofattura = 12, numerovariazioneaum = CASE codice WHEN 'V' THEN 0 "
                          "ELSE 4 END, numerovariazionedim = 0");
        for (const auto& [lettera, numero] : caso.nelGiornale)
            AccountingFixture::inserisci(*archivio, "giornale",
                                         {{"giorno", GiornoIso}, {"numero", 1}, {"registroiva", caso.registro},
                                          {"tipodocumentoiva", lettera}, {"protocolloiva", numero}});
        AccountingFixture::inserisci(*archivio, "giornale",
                                     {{"giorno", GiornoIso}, {"numero", 2}, {"registroiva", "A"},
                                      {"tipodocumentoiva", caso.lettera}, {"protocolloiva", "13"}});
        ParametriFattura().RegistroIva = caso.registro;
        EXPECT_EQ(NumeroFattura(*archivio, caso.lettera), caso.numero);
        EXPECT_EQ(contatori(caso.registro), caso.dopo);
    }
    EXPECT_TRUE(box.asked().empty());
}

// ---------------------------------------------------------------------------------------
// AccogliNumeroDigitato

using NumeroDigitatoTest = ArchivioCollegato;

TEST_F(NumeroDigitatoTest, ATypedNumberIsRefusedWhenTheRegisterHoldsItOrWouldSkipNumbers) {
    // V (criterion 1, invoices 12) has posted invoice 10; W (criterion 2, 12 and 4) a credit
    // note 3; Z (criterion 3, 12, 4 and 0, suffix A) a debit note "4 A".
    const auto testata = [&](const char* registro, const char* lettera, const char* numero) {
        AccountingFixture::inserisci(*archivio, "giornale",
                                     {{"giorno", GiornoIso}, {"numero", 1}, {"registroiva", registro},
                                      {"tipodocumentoiva", lettera}, {"protocolloiva", numero}});
    };
    testata("V", "F", "10");
    testata("W", "H", "3");
    testata("Z", "E", "4 A");
    const struct {
        const char *registro, *lettera, *numero;
        NumeroDigitato esito;
        int64_t ultimo;
        Contatori dopo;  // of the register
    } casi[] = {
        {"V", "F", "13", NumeroDigitato::Ammesso, 12, {13, 0, 0}},  // the next: the counter moves
        {"V", "F", " 13 A", NumeroDigitato::Ammesso, 12, {13, 0, 0}},
        {"V", "F", "5", NumeroDigitato::Ammesso, 12, {12, 0, 0}},  // a number the journal lacks
        {"V", "F", "10", NumeroDigitato::GiaUsato, 12, {12, 0, 0}},
        {"V", "E", "010", NumeroDigitato::GiaUsato, 12, {12, 0, 0}},  // one counter for all kinds
        {"V", "F", "14", NumeroDigitato::OltreIlSuccessivo, 12, {12, 0, 0}},
        {"V", "F", "99999999999999999999", NumeroDigitato::OltreIlSuccessivo, 12, {12, 0, 0}},
        {"V", "F", "A13", NumeroDigitato::NonProgressivo, 12, {12, 0, 0}},
        {"V", "F", "0", NumeroDigitato::NonProgressivo, 12, {12, 0, 0}},
        {"W", "E", "3", NumeroDigitato::GiaUsato, 4, {12, 4, 0}},  // both notes on one counter
        {"W", "F", "3", NumeroDigitato::Ammesso, 12, {12, 4, 0}},
        {"W", "E", "5", NumeroDigitato::Ammesso, 4, {12, 5, 0}},
        {"Z", "E", "4", NumeroDigitato::GiaUsato, 4, {12, 4, 0}},
        {"Z", "H", "4", NumeroDigitato::OltreIlSuccessivo, 0, {12, 4, 0}},  // a counter of its own
        {"Z", "H", "1 A", NumeroDigitato::Ammesso, 0, {12, 4, 1}},
        {"Q", "F", "13", NumeroDigitato::RegistroInesistente, 0, {}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.registro) + " " + c.lettera + " " + c.numero);
        archivio->execute("UPDATE ivaregistri SET numerofattura = 12, numerovariazioneaum = CASE codice WHEN 'V' "
                          "THEN 0 ELSE 4 END, numerovariazionedim = 0");
        const auto altri = tuttiIContatori();
        const EsitoNumeroDigitato e = AccogliNumeroDigitato(*archivio, c.registro, c.lettera, c.numero);
        EXPECT_EQ(e.Esito, c.esito);
        EXPECT_EQ(e.UltimoNumero, c.ultimo);
        if (c.esito != NumeroDigitato::RegistroInesistente) {
            EXPECT_EQ(contatori(c.registro), c.dopo);
        }
        if (c.esito != NumeroDigitato::Ammesso) {
            EXPECT_EQ(tuttiIContatori(), altri);
        }
    }
    EXPECT_TRUE(box.asked().empty());
}

// ---------------------------------------------------------------------------------------
// AssegnaNumeroRegistrazione, ControlloNumeroRegistrazione

using NumeriRegistrazioneTest = ArchivioCollegato;

TEST_F(NumeriRegistrazioneTest, NextNumberIsOneAboveTheDaysHighest) {
    const struct {
        std::vector<int> presenti;
        QString atteso;
    } casi[] = {
        {{}, "00001"},
        {{1, 2, 7}, "00008"},
        {{32766}, "32767"},
    };
    for (const auto& caso : casi) {
        archivio->execute("DELETE FROM giornalenumero");
        riserva("2004-01-19", 400);  // another day counts on its own
        for (int n : caso.presenti) riserva(GiornoIso, n, true);

        EXPECT_EQ(AssegnaNumeroRegistrazione(*archivio, Giorno), caso.atteso);

        std::vector<std::pair<int, bool>> attesi;
        for (int n : caso.presenti) attesi.emplace_back(n, true);
        attesi.emplace_back(caso.atteso.toInt(), false);
        EXPECT_EQ(riservati(), attesi) << "gaps stay gaps; the new one is only reserved";
        EXPECT_EQ(riservati("2004-01-19"), (std::vector<std::pair<int, bool>>{{400, false}}));
    }
    EXPECT_TRUE(box.asked().empty());
}

TEST_F(NumeriRegistrazioneTest, ADayWithNoNumberLeftGivesTheMessageAndNoNumber) {
    riserva(GiornoIso, 32766);
    EXPECT_EQ(AssegnaNumeroRegistrazione(*archivio, Giorno), "32767");
    box.expectMessage(Answer::Ok,
                      "ATTENZIONE: Non è più possibile assegnare nuovi numeri in questa data\n"
                      "Cambiare la data, o richiedere un intervento per poter recuperare i numeri non usati",
                      "");
    EXPECT_EQ(AssegnaNumeroRegistrazione(*archivio, Giorno), NessunNumeroRegistrazione);
    ASSERT_EQ(box.asked().size(), 1u);
    EXPECT_EQ(box.asked()[0].icon, ui::Icon::None);
    EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::Ok);
    EXPECT_EQ(riservati(), (std::vector<std::pair<int, bool>>{{32766, false}, {32767, false}}));
}

TEST_F(NumeriRegistrazioneTest, TwoWorkstationsNeverReserveTheSameNumber) {
    // The other workstation is reserving number 1 of the day: this one waits and takes 2
    // instead of reading an empty day and colliding with it.
    auto altra = AccountingFixture::apri(AmbienteLavoro().PathArchivioContabile);
    auto lavoro = std::make_unique<db::Transaction>(*altra);
    AccountingFixture::inserisci(*altra, "giornalenumero", {{"giorno", GiornoIso}, {"numero", 1}, {"confermato", false}});

    AltraPostazione attesa([&] { lavoro->commit(); });
    EXPECT_EQ(AssegnaNumeroRegistrazione(*archivio, Giorno), "00002");
    EXPECT_EQ(attesa.domande, 1);
    EXPECT_EQ(riservati(), (std::vector<std::pair<int, bool>>{{1, false}, {2, false}}));
}

TEST_F(NumeriRegistrazioneTest, ADateThatIsNoDateReservesNothing) {
    box.expectMessage(Answer::Ok, "ERRORE: si sta tentando di usare come data un oggetto che non è una data");
    box.expectMessage(Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    EXPECT_EQ(AssegnaNumeroRegistrazione(*archivio, "31/02/2004"), NessunNumeroRegistrazione);
    EXPECT_TRUE(box.messageTexts().value(1).contains("Funzione: Assegnazione del numero progressivo registrazione"));
    EXPECT_EQ(archivio->scalar("SELECT count(*) FROM giornalenumero").toInt(), 0);
}

TEST_F(NumeriRegistrazioneTest, CheckKeepsAFreeNumberAndReplacesATakenOne) {
    const struct {
        QString numero;
        std::vector<int> testate;  // headers of the day
        QString atteso;
        bool riservaNuova;
    } casi[] = {
        {"12", {}, "00012", false},
        {"00012", {11, 13}, "00012", false},
        {"12", {12}, "00041", true},  // the day's reservations go up to 40
        {"00000", {}, "00000", false},
        {"00000", {0}, "00041", true},
    };
    for (const auto& caso : casi) {
        archivio->execute("DELETE FROM giornale");
        archivio->execute("DELETE FROM giornalenumero");
        riserva(GiornoIso, 40, true);
        testata("2004-01-19", caso.numero.toInt());  // another day's header does not count
        for (int n : caso.testate) testata(GiornoIso, n);

        EXPECT_EQ(ControlloNumeroRegistrazione(*archivio, Giorno, caso.numero), caso.atteso) << caso.numero.toStdString();
        std::vector<std::pair<int, bool>> attesi{{40, true}};
        if (caso.riservaNuova) attesi.emplace_back(41, false);
        EXPECT_EQ(riservati(), attesi);
    }
    EXPECT_TRUE(box.asked().empty());
}

}  // namespace
