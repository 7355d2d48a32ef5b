// One progressive number per series and year: a number that a document of the year bears is
// not given again without a word, whether the document was posted or not.
#include <gtest/gtest.h>

#include <QFile>
#include <optional>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/DocumentiNumerati.h"
#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/FatturazioneCompetenze.h"
#include "support/Files.h"

namespace {

using emissione_di_prova::Cliente;
using emissione_di_prova::DomandaNumeroDato;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::NonEmesso;
using emissione_di_prova::Npra;
using emissione_di_prova::Righe;
using ui::Answer;



class NumeriDellAnno : public EmissioneCollegata {
public:
    // A document of one line billing a new fee item of `cliente`, case file `npra`, numbered
    // `numero` by hand; not linked, the client is in the program's own registry.
    DocumentoDaEmettere documentoDi(const QString& cliente, const QString& npra, const QString& numero,
                                    bool collegato = false) {
        const QString ntask = QStringLiteral("%1").arg(++voci_, 4, 10, QChar('0'));
        if (!collegato)
            db().execute("INSERT OR IGNORE INTO mpxanagrafe (codice, ragione) VALUES (?, ?)",
                         {cliente, "Ditta " + cliente});
        db().execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, impofat, fatturato) "
                     "VALUES (?, ?, ?, '0000', 'ONO', 10, 0)",
                     {cliente, npra, ntask});
        DocumentoDaEmettere d = documento;
        d.Ambiente.CollegatoContabilita = collegato;
        if (!collegato) d.Ambiente.PathArchivioContabile.clear();
        d.Fascola.CodiceCliente = cliente;
        d.Fascola.Npra = npra;
        RigaFattura r = Riga(qPrintable(ntask), "0000", "ONO", "X", "10", "20", "04.01.01.0001");
        r.cliente = cliente;
        r.npra = npra;
        ConRighe(d, {r});
        d.Parametri.NumerazioneAutomatica = false;
        d.Parametri.NumeroDocumento = numero;
        return d;
    }
    // A stored copy of a document in the invoice folder (only its name counts here).
    void copia(const QString& nome) { writeFile(QDir(fatture).filePath(nome), {}); }

private:
    int voci_ = 10;
};

// Not linked, a number of the year given to any client or case file is asked about; No
// writes nothing, Yes issues.
TEST_F(NumeriDellAnno, NotLinkedARepeatedNumberIsAskedAboutFirst) {
    struct Caso {
        const char* nome;
        const char* cliente;
        const char* npra;
        const char* data;
        bool domanda;
    } casi[] = {
        {"another client", "CLI02", "0003", "20/03/2004", true},
        {"another case file of the same client", "CLI01", "0008", "15/01/2004", true},
        {"another year", "CLI02", "0003", "10/01/2005", false},
    };
    const QString primo = "FATTURA N. 1 del 15/01/04, cliente CLI01 Ditta CLI01, fascola 0007";
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        ASSERT_TRUE(EmissioneDocumento(db(), documentoDi("CLI01", "0007", "1")).Emesso());
        copia("SDBCLI01F00000000704011500001.mdb");  // the first one's copy tells its letter
        DocumentoDaEmettere d = documentoDi(c.cliente, c.npra, "1");
        d.Parametri.DataFattura = c.data;
        if (c.domanda) {
            const QStringList prima = Stato();
            const size_t chieste = box.asked().size();
            box.expectMessage(Answer::No, DomandaNumeroDato("1", primo), TitoloEmissione);
            const EsitoEmissione no = EmissioneDocumento(db(), d);
            EXPECT_EQ(no.Arresto, ArrestoEmissione::NumeroNonConfermato);
            ASSERT_EQ(box.asked().size(), chieste + 1);
            EXPECT_EQ(box.asked().back().buttons, ui::Buttons::YesNo);
            EXPECT_EQ(box.asked().back().defaultButton, 1);  // No
            EXPECT_EQ(Stato(), prima);
            box.expectMessage(Answer::Yes, DomandaNumeroDato("1", primo), TitoloEmissione);
        }
        const EsitoEmissione si = EmissioneDocumento(db(), d);
        ASSERT_TRUE(si.Emesso()) << int(si.Arresto);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(Righe(db(), "SELECT count(*) FROM competenze WHERE cliente = ? AND idfattura = ?",
                        {QString(c.cliente), si.IdFattura})
                      .front(),
                  QStringList{"1"});
    }
}

// The same case file, date and number make the same identifier: not a question, a refusal.
TEST_F(NumeriDellAnno, NotLinkedTheSameIdentifierIsRefusedWithoutAQuestion) {
    ASSERT_TRUE(EmissioneDocumento(db(), documentoDi("CLI01", "0007", "1")).Emesso());
    const DocumentoDaEmettere d = documentoDi("CLI01", "0007", "1");
    const QStringList prima = Stato();
    box.expectMessage(Answer::Ok,
                      "Il cliente ha già un documento della stessa fascola, data e numero (FATTURA N. 1 del 15/01/04, "
                      "cliente CLI01 Ditta CLI01, fascola 0007)" +
                          NonEmesso,
                      TitoloEmissione);
    EXPECT_EQ(EmissioneDocumento(db(), d).Arresto, ArrestoEmissione::IdFatturaInUso);
    EXPECT_EQ(Stato(), prima);
}

// The documents of the year are known by the records of their issues and by their stored
// copies, which tell the letter, and by their fee items (a document issued before documents
// were recorded); a number written otherwise ("01") is the same number. They are listed by
// date.
TEST_F(NumeriDellAnno, NotLinkedEveryDocumentOfTheYearIsNamedInTheQuestion) {
    ASSERT_TRUE(EmissioneDocumento(db(), documentoDi("CLI01", "0007", "01")).Emesso());
    db().execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, fatturato, idfattura) "
                 "VALUES ('CLI04', '0002', '0001', '0000', 'ONO', 1, '000204011200001')");
    copia("SDBCLI03H00000000504011000001.mdb");  // a credit note that billed no fee item
    copia("SDBCLI03F00000000504030100002.mdb");  // another number
    copia("SDBCLI03F00000000512011000001.mdb");  // another year (2012)
    box.expectMessage(Answer::No,
                      DomandaNumeroDato("1", "NOTA DI CREDITO (var. in Diminuizione) N. 1 del 10/01/04, cliente CLI03, "
                                   "fascola 0005\nDOCUMENTO N. 1 del 12/01/04, cliente CLI04, fascola 0002\nFATTURA "
                                   "N. 1 del 15/01/04, cliente CLI01 Ditta CLI01, fascola 0007"),
                      TitoloEmissione);
    EXPECT_EQ(EmissioneDocumento(db(), documentoDi("CLI02", "0003", "1")).Arresto,
              ArrestoEmissione::NumeroNonConfermato);
}

// A message box that lets another workstation issue while the user reads the question.
class DomandaConAltraPostazione final : public ui::MessageService {
public:
    DomandaConAltraPostazione(ScriptedMessages& risposte, std::function<void()> altra)
        : risposte_(risposte), altra_(std::move(altra)), prima_(ui::MessageService::installed()) {
        ui::MessageService::install(this);
    }
    ~DomandaConAltraPostazione() override { ui::MessageService::install(prima_); }
    ui::Answer message(const ui::MessageRequest& r) override {
        if (altra_) std::exchange(altra_, nullptr)();
        return risposte_.message(r);
    }
    std::optional<QString> input(const QString& p, const QString& t, const QString& d) override {
        return risposte_.input(p, t, d);
    }
    std::optional<QString> chooseFile(const ui::FileRequest& r) override { return risposte_.chooseFile(r); }
    std::optional<QString> chooseFolder(const QString& t, const QString& p) override {
        return risposte_.chooseFolder(t, p);
    }

private:
    ScriptedMessages& risposte_;
    std::function<void()> altra_;
    ui::MessageService* prima_;
};

// The user agreed to repeat the number of one document; meanwhile another workstation gave it
// to a third: the issue stops, writing nothing, to ask again.
TEST_F(NumeriDellAnno, NotLinkedANumberGivenMeanwhileElsewhereStopsTheIssue) {
    ASSERT_TRUE(EmissioneDocumento(db(), documentoDi("CLI01", "0007", "1")).Emesso());
    const DocumentoDaEmettere nostro = documentoDi("CLI02", "0003", "1");
    const DocumentoDaEmettere altro = documentoDi("CLI04", "0002", "1");
    Sessione altraPostazione(pathFascole(), {});
    const QString primo = "FATTURA N. 1 del 15/01/04, cliente CLI01 Ditta CLI01, fascola 0007";
    box.expectMessage(Answer::Yes, DomandaNumeroDato("1", primo));  // the other workstation's question
    box.expectMessage(Answer::Yes, DomandaNumeroDato("1", primo));  // ours
    box.expectMessage(Answer::Ok,
                      "Il numero 1 è stato dato nel frattempo a un altro documento (FATTURA N. 1 del 15/01/04, "
                      "cliente CLI04 Ditta CLI04, fascola 0002)" +
                          NonEmesso,
                      TitoloEmissione);
    std::optional<EsitoEmissione> esitoAltro;
    QStringList dopoAltro;
    DomandaConAltraPostazione domanda(box, [&] {
        esitoAltro = EmissioneDocumento(altraPostazione.db(), altro);
        dopoAltro = Stato();
    });
    const EsitoEmissione e = EmissioneDocumento(db(), nostro);
    ASSERT_TRUE(esitoAltro && esitoAltro->Emesso());
    EXPECT_EQ(e.Arresto, ArrestoEmissione::NumeroGiaDato);
    EXPECT_EQ(Stato(), dopoAltro);
    EXPECT_EQ(box.pending(), 0);
}

// Linked, a document with a withholding is not posted, yet its number is the register's: the
// rule of a typed number holds for it, and no other document of the year gets it again.
TEST_F(NumeriDellAnno, LinkedADocumentNotPostedTakesItsNumberOnTheRegister) {
    ASSERT_EQ(EmissioneDocumento(db(), documento).NumeroDocumento, "13");  // automatic, posted
    auto conRitenuta = [&](const char* numero) {
        DocumentoDaEmettere d = documentoDi(Cliente, Npra, numero, true);
        ConRitenuta(d, "1", "20");
        return d;
    };

    DocumentoDaEmettere d = conRitenuta("13");
    QStringList prima = Stato();
    box.expectMessage(Answer::Ok, "Il numero 13 è già stato dato a un altro documento del registro IVA V" + NonEmesso);
    EXPECT_EQ(EmissioneDocumento(db(), d).Arresto, ArrestoEmissione::NumeroGiaUsato);
    EXPECT_EQ(Stato(), prima);

    const EsitoEmissione quattordici = EmissioneDocumento(db(), conRitenuta("14"));
    ASSERT_TRUE(quattordici.Emesso()) << int(quattordici.Arresto);
    EXPECT_FALSE(quattordici.Contabilizzato);
    EXPECT_EQ(contatore(), "14");
    EXPECT_EQ(numeriDelRegistro(), QStringList{"13"});

    // The counter passed 14 and the journal lacks it: only the document itself tells.
    d = conRitenuta("14");
    prima = Stato();
    box.expectMessage(Answer::Ok,
                      "Il numero 14 è già stato dato nello stesso anno a un documento non registrato in contabilità "
                      "(FATTURA N. 14 del 15/01/04, cliente 01.01.01.0001 Rossi Mario S.r.l., fascola 0007)" +
                          NonEmesso);
    EXPECT_EQ(EmissioneDocumento(db(), d).Arresto, ArrestoEmissione::NumeroGiaUsato);
    EXPECT_EQ(Stato(), prima);

    ASSERT_TRUE(EmissioneDocumento(db(), conRitenuta("15")).Emesso());
    DocumentoDaEmettere automatico = documentoDi(Cliente, Npra, "", true);
    automatico.Parametri.NumerazioneAutomatica = true;
    const EsitoEmissione dopo = EmissioneDocumento(db(), automatico);
    ASSERT_TRUE(dopo.Emesso()) << int(dopo.Arresto);
    EXPECT_EQ(dopo.NumeroDocumento, "16");
    EXPECT_EQ(numeriDelRegistro(), (QStringList{"13", "16"}));
    EXPECT_EQ(contatore(), "16");
    EXPECT_EQ(box.pending(), 0);
}

// Documents numbered before the register knew them (not posted, the counter left behind):
// automatic numbering passes over their numbers, in their series; a document whose letter is
// not known counts in every series.
TEST_F(NumeriDellAnno, LinkedAutomaticNumberingPassesOverNumbersOfDocumentsNotPosted) {
    struct Caso {
        const char* nome;
        const char* criterio;
        std::function<void(NumeriDellAnno&)> prima;
        const char* numero;
    } casi[] = {
        {"fee items billed as 13", "1",
         [](NumeriDellAnno& t) {
             t.db().execute("UPDATE competenze SET fatturato = 1, idfattura = '000704011500013' WHERE ntask = '0003'");
         },
         "14"},
        {"copies of invoices 13 and 14", "1",
         [](NumeriDellAnno& t) {
             t.copia("SDB0101010002F00000000404010200013.mdb");
             t.copia("SDB0101010002F00000000404010300014.mdb");
         },
         "15"},
        {"a credit note 13 of a series of its own", "3",
         [](NumeriDellAnno& t) { t.copia("SDB0101010002H00000000404010200013.mdb"); }, "13"},
        {"a credit note 13 in the invoices' series", "1",
         [](NumeriDellAnno& t) { t.copia("SDB0101010002H00000000404010200013.mdb"); }, "14"},
        {"a posted invoice 13 of another register", "1",
         [](NumeriDellAnno& t) { t.copia("SDB0101010002F00007000404010200013.mdb"); }, "13"},
        {"an invoice 13 of another year", "1",
         [](NumeriDellAnno& t) { t.copia("SDB0101010002F00000000403010200013.mdb"); }, "13"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Ricrea();
        db().execute("UPDATE ivaregistri SET criterionumerazioni = ? WHERE codice = 'V'", {QString(c.criterio)});
        c.prima(*this);
        const EsitoEmissione e = EmissioneDocumento(db(), documento);
        ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
        EXPECT_EQ(e.NumeroDocumento, c.numero);
        EXPECT_EQ(contatore(), c.numero);
    }
}

// Linked to an archive whose accounting year runs from July, the documents of the year are those
// dated in it, over two calendar years (and over the turn of a century): a number given in
// November is refused in February, and automatic numbering passes over it; a number of the
// previous or the next accounting year is given again. Typed numbers go with a withholding
// (not posted, numbered as typed); automatic ones are posted.
TEST_F(NumeriDellAnno, LinkedTheYearIsTheAccountingYearOfTheArchive) {
    enum class Fonte {
        Emesso,     // issued here, with a withholding
        Annotato,   // recorded by an issue on the archive of its own year, not posted
        Copia,      // known by its stored copy alone
        Competenze  // known by the fee items it billed alone
    };
    struct Prima {
        const char* data;
        const char* numero;
        Fonte fonte;
    };
    struct Caso {
        const char* nome;
        const char* esercizio;  // from July to June
        Prima prima;
        const char* data;
        const char* numero;  // typed; "" automatic
        const char* atteso;  // the number issued; nullptr: refused, naming the first document
    } casi[] = {
        {"November, then February", "2004", {"15/11/2004", "12", Fonte::Emesso}, "15/02/2005", "12", nullptr},
        {"February, then November", "2004", {"15/02/2005", "12", Fonte::Emesso}, "15/11/2004", "12", nullptr},
        {"fee items of December, then January", "2004", {"20/12/2004", "13", Fonte::Competenze}, "10/01/2005", "13",
         nullptr},
        {"the previous year's March, typed", "2004", {"15/03/2004", "13", Fonte::Annotato}, "15/11/2004", "13", "13"},
        {"the previous year's March, automatic", "2004", {"15/03/2004", "13", Fonte::Annotato}, "15/11/2004", "",
         "13"},
        {"February's copy, automatic in November", "2004", {"15/02/2005", "13", Fonte::Copia}, "15/11/2004", "",
         "14"},
        {"the next year's July, typed", "2004", {"15/07/2005", "13", Fonte::Copia}, "15/02/2005", "13", "13"},
        {"1999 to 2000: November, then February", "1999", {"15/11/1999", "12", Fonte::Emesso}, "15/02/2000", "12",
         nullptr},
        {"1999 to 2000: February's copy, automatic in December", "1999", {"15/02/2000", "13", Fonte::Copia},
         "15/12/1999", "", "14"},
        {"1999 to 2000: the previous year's March, automatic", "1999", {"15/03/1999", "13", Fonte::Annotato},
         "15/11/1999", "", "13"},
        {"1999 to 2000: the next year's July, typed", "1999", {"15/07/2000", "13", Fonte::Copia}, "15/06/2000", "13",
         "13"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        esercizio = c.esercizio;
        Ricrea();
        db().execute("UPDATE parametri SET meseinizioesercizio = 7");
        auto conRitenuta = [&](const char* numero, const char* data) {
            DocumentoDaEmettere d = documentoDi(Cliente, Npra, numero, true);
            ConRitenuta(d, "1", "20");
            d.Parametri.DataFattura = data;
            return d;
        };
        const QString idPrima = IdFattura(Npra, c.prima.data, c.prima.numero);
        switch (c.prima.fonte) {
        case Fonte::Emesso:
            ASSERT_TRUE(EmissioneDocumento(db(), conRitenuta(c.prima.numero, c.prima.data)).Emesso());
            break;
        case Fonte::Annotato:
            db().execute("INSERT INTO DocumentiEmessi (cliente, idfattura, lettera, registrazione) VALUES (?, ?, 'F', "
                         "'00000')",
                         {Cliente, idPrima});
            break;
        case Fonte::Copia: copia(NomeFileFattura(true, Cliente, TipoDocumento::Fattura, {}, idPrima)); break;
        case Fonte::Competenze:
            db().execute("UPDATE competenze SET fatturato = 1, idfattura = ? WHERE ntask = '0003'", {idPrima});
            break;
        }
        DocumentoDaEmettere d = documento;
        d.Parametri.DataFattura = c.data;
        if (*c.numero) d = conRitenuta(c.numero, c.data);
        const QStringList prima = Stato();
        ScriptedMessages messaggi;
        if (!c.atteso) {
            const QString titolo = c.prima.fonte == Fonte::Competenze ? "DOCUMENTO" : "FATTURA";
            messaggi.expectMessage(Answer::Ok, "Il numero " + QString(c.numero) +
                                              " è già stato dato nello stesso anno a un documento non registrato in "
                                              "contabilità (" +
                                              titolo + " N. " + c.prima.numero + " del " +
                                              QString(c.prima.data).remove(6, 2) +
                                              ", cliente 01.01.01.0001 Rossi Mario S.r.l., fascola 0007)" + NonEmesso);
        }
        const EsitoEmissione e = EmissioneDocumento(db(), d);
        EXPECT_EQ(messaggi.pending(), 0);
        if (c.atteso) {
            ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
            EXPECT_EQ(e.NumeroDocumento, c.atteso);
        } else {
            EXPECT_EQ(e.Arresto, ArrestoEmissione::NumeroGiaUsato);
            EXPECT_EQ(Stato(), prima);
        }
    }
}

}  // namespace
