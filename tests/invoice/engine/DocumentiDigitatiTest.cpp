// A document whose lines were typed on the invoice tab bills no fee item, and is a document all
// the same: its number is given once, its stored copy is never replaced, and "Ristampa /
// Annulla" lists, reprints and cancels it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <optional>

#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/system/FileSystem.h"

namespace {

using emissione_di_prova::DomandaNumeroDato;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::NonEmesso;
using emissione_di_prova::Righe;
using ui::Answer;

const QString Cliente = "CLI01";
// The first credit note, as the user is told of it.
const QString PrimaNota = "NOTA DI CREDITO (var. in Diminuizione) N. 3 del 15/01/04, cliente CLI01 Ditta CLI01, "
                          "fascola 0007";
const QString CopiaPrimaNota = "SDBCLI01H00000000704011500003.mdb";


class DocumentiDigitati : public EmissioneCollegata {
public:
    // Not linked, a credit note of case file `npra` of one line typed on the tab (element ESE,
    // under no task and job: no fee item stands behind it), numbered `numero` by hand.
    DocumentoDaEmettere NotaDigitata(const QString& descrizione, const char* importo, const QString& numero,
                                     const QString& npra = "0007") {
        db().execute("INSERT OR IGNORE INTO mpxanagrafe (codice, ragione) VALUES (?, ?)", {Cliente, "Ditta CLI01"});
        DocumentoDaEmettere d = documento;
        d.Tipo = TipoDocumento::NotaCredito;
        d.Ambiente.CollegatoContabilita = false;
        d.Ambiente.PathArchivioContabile.clear();
        d.Fascola.CodiceCliente = Cliente;
        d.Fascola.Npra = npra;
        RigaFattura r = Riga("0000", "0000", "ESE", "X", importo, "20", "");
        r.cliente = Cliente;
        r.npra = npra;
        r.descrizione = descrizione;
        r.DaCompetenza = false;
        ConRighe(d, {r});
        d.Parametri.NumerazioneAutomatica = false;
        d.Parametri.NumeroDocumento = numero;
        d.Parametri.MemorizzaFattura = memorizza;
        return d;
    }

    std::vector<DocumentoArchiviato> Elenco() {
        return ElencoDocumentiEmessi(db(), avvio, fatture, Cliente, false, memorizza);
    }
    QStringList NomiElencati() {
        QStringList nomi;
        for (const DocumentoArchiviato& d : Elenco()) nomi << d.NomeFile;
        return nomi;
    }

    bool memorizza = true;
};

// The same case file, date and number are refused, naming the note of typed lines that bears
// them, and nothing is written; another case file's document of that number is asked about;
// whether the office keeps copies or not.
TEST_F(DocumentiDigitati, ItsNumberIsGivenOnce) {
    for (const bool conCopie : {true, false}) {
        SCOPED_TRACE(conCopie ? "copies kept" : "no copies kept");
        Ricrea();
        memorizza = conCopie;
        const EsitoEmissione prima = EmessoEStampato(NotaDigitata("Storno parziale fattura n. 1", "-50", "3"));
        ASSERT_TRUE(prima.Emesso());
        EXPECT_EQ(prima.CompetenzeFatturate, 0);
        EXPECT_EQ(prima.NomeFileFattura, CopiaPrimaNota);
        EXPECT_EQ(QDir(fatture).entryList(QDir::Files), conCopie ? QStringList{CopiaPrimaNota} : QStringList());

        const QStringList stato = Stato();
        box.expectMessage(Answer::Ok,
                          "Il cliente ha già un documento della stessa fascola, data e numero (" + PrimaNota + ")" +
                              NonEmesso,
                          TitoloEmissione);
        EXPECT_EQ(EmissioneDocumento(db(), NotaDigitata("Secondo storno", "-20", "3")).Arresto,
                  ArrestoEmissione::IdFatturaInUso);
        EXPECT_EQ(Stato(), stato);
        if (conCopie) {
            auto copia = db::Database::open(QDir(fatture).filePath(CopiaPrimaNota).toStdString());
            EXPECT_EQ(copia->scalar("SELECT Descrizione FROM Righecorpo").toText<QString>(),
                      "Storno parziale fattura n. 1");
        }

        box.expectMessage(Answer::No, DomandaNumeroDato("3", PrimaNota), TitoloEmissione);
        EXPECT_EQ(EmissioneDocumento(db(), NotaDigitata("Secondo storno", "-20", "3", "0008")).Arresto,
                  ArrestoEmissione::NumeroNonConfermato);
        EXPECT_EQ(Stato(), stato);
        EXPECT_EQ(box.pending(), 0);
    }
}

// Two workstations issue the same case file, date and number at once: the one whose writing
// comes second finds the first's document recorded, is refused naming it and writes nothing;
// the first one's copy stays as it is.
TEST_F(DocumentiDigitati, OfTwoWorkstationsIssuingItAtOnceTheSecondIsRefused) {
    Sessione altraPostazione(pathFascole(), {});
    const DocumentoDaEmettere suo = NotaDigitata("Storno parziale fattura n. 1", "-50", "3");
    const DocumentoDaEmettere nostro = NotaDigitata("Secondo storno", "-20", "3");
    static std::function<void()> altra;
    std::optional<EsitoEmissione> suoEsito;
    QStringList dopoLaSua;
    // The other workstation issues while ours reads the documents of the year, before it writes.
    altra = [&] {
        sys::SetCheckpointHook(nullptr);
        suoEsito = EmissioneDocumento(altraPostazione.db(), suo);
        ChiusuraArchivioStampa(suoEsito->PathArchivioStampa, suoEsito->PathNomeProprio, suoEsito->Copia, true,
                               fatture);
        dopoLaSua = Stato();
    };
    sys::SetCheckpointHook([](const char*) { altra(); });
    box.expectMessage(Answer::Ok,
                      "Il cliente ha già un documento della stessa fascola, data e numero (" + PrimaNota + ")" +
                          NonEmesso,
                      TitoloEmissione);
    const EsitoEmissione e = EmissioneDocumento(db(), nostro);
    sys::SetCheckpointHook(nullptr);
    ASSERT_TRUE(suoEsito && suoEsito->Emesso());
    EXPECT_EQ(e.Arresto, ArrestoEmissione::IdFatturaInUso);
    EXPECT_EQ(box.pending(), 0);
    EXPECT_EQ(Stato(), dopoLaSua);
    auto copia = db::Database::open(QDir(fatture).filePath(CopiaPrimaNota).toStdString());
    EXPECT_EQ(copia->scalar("SELECT Descrizione FROM Righecorpo").toText<QString>(), "Storno parziale fattura n. 1");
}

// Its stored copy is listed with the client's other documents; cancelled, the copy goes and
// the number is free again for that case file and date.
TEST_F(DocumentiDigitati, ItIsListedAndCancelled) {
    ASSERT_TRUE(EmessoEStampato(NotaDigitata("Storno parziale fattura n. 1", "-50", "3")).Emesso());
    ASSERT_TRUE(EmessoEStampato(documento).Emesso());  // an invoice of another client, not listed here
    const std::vector<DocumentoArchiviato> elenco = Elenco();
    ASSERT_EQ(elenco.size(), 1u);
    EXPECT_EQ(elenco[0].NomeFile, CopiaPrimaNota);
    EXPECT_EQ(elenco[0].TipoDoc(), "N.Cred.");
    EXPECT_EQ(elenco[0].Numero(), "3");
    EXPECT_EQ(VerificaCopiaArchiviata(QDir(fatture).filePath(CopiaPrimaNota)), StatoCopiaArchiviata::Leggibile);

    const int voci = db().scalar("SELECT count(*) FROM competenze WHERE fatturato = 1").toInt();
    ASSERT_TRUE(AnnullamentoDocumento(db(), fatture, elenco[0], false));
    EXPECT_FALSE(QFile::exists(QDir(fatture).filePath(CopiaPrimaNota)));
    EXPECT_EQ(db().scalar("SELECT count(*) FROM competenze WHERE fatturato = 1").toInt(), voci);
    EXPECT_TRUE(Elenco().empty());

    const EsitoEmissione dopo = EmessoEStampato(NotaDigitata("Secondo storno", "-20", "3"));
    EXPECT_TRUE(dopo.Emesso());
    EXPECT_EQ(NomiElencati(), QStringList{CopiaPrimaNota});
    EXPECT_TRUE(box.asked().empty());
}

// A note of typed lines stored by an earlier release, which recorded no document, is listed by
// its copy and can be cancelled; a copy named after the identifier of another document the
// archive records (another letter) stands for none and is not listed.
TEST_F(DocumentiDigitati, EveryStoredCopyIsListedButOneOfAnotherDocumentsIdentifier) {
    ASSERT_TRUE(EmessoEStampato(NotaDigitata("Storno parziale fattura n. 1", "-50", "3")).Emesso());
    const QString altra = "SDBCLI01F00000000704011500003.mdb";
    ASSERT_TRUE(QFile::copy(QDir(fatture).filePath(CopiaPrimaNota), QDir(fatture).filePath(altra)));
    EXPECT_EQ(NomiElencati(), QStringList{CopiaPrimaNota});

    db().execute("DELETE FROM DocumentiEmessi");
    EXPECT_EQ(NomiElencati(), (QStringList{altra, CopiaPrimaNota}));
    QFile::remove(QDir(fatture).filePath(altra));
    const std::vector<DocumentoArchiviato> elenco = Elenco();
    ASSERT_EQ(elenco.size(), 1u);
    ASSERT_TRUE(AnnullamentoDocumento(db(), fatture, elenco[0], false));
    EXPECT_TRUE(QDir(fatture).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(box.asked().empty());
}

}  // namespace
