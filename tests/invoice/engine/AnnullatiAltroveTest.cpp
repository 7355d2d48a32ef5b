// An earlier release cancels a document its own way: the fee items it billed are billable again
// and its stored copy goes, while its record stays. A recorded document that billed fee items,
// none of which carries its identifier any more, and whose copy is gone, no longer counts: its
// number is free and its identifier can be issued again. A document of typed lines recorded
// without a copy still counts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"

namespace {

using emissione_di_prova::DomandaNumeroDato;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::NonEmesso;
using emissione_di_prova::Righe;
using ui::Answer;

const QString ClienteNonCollegato = "CLI01";

class AnnullatiAltrove : public EmissioneCollegata {
public:
    // An invoice of client `cliente()`, case file `npra`, of one line (billing a new fee item, or
    // typed on the tab), numbered `numero` by hand; linked, with a withholding (not posted).
    DocumentoDaEmettere documentoDi(const QString& npra, const QString& numero) {
        const QString ntask = QStringLiteral("%1").arg(++voci_, 4, 10, QChar('0'));
        if (!collegato)
            db().execute("INSERT OR IGNORE INTO mpxanagrafe (codice, ragione) VALUES (?, ?)",
                         {cliente(), "Ditta " + cliente()});
        if (competenze)
            db().execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, impofat, fatturato) "
                         "VALUES (?, ?, ?, '0000', 'ONO', 10, 0)",
                         {cliente(), npra, ntask});
        DocumentoDaEmettere d = documento;
        d.Ambiente.CollegatoContabilita = collegato;
        if (!collegato) d.Ambiente.PathArchivioContabile.clear();
        d.Fascola.CodiceCliente = cliente();
        d.Fascola.Npra = npra;
        RigaFattura r = competenze ? Riga(qPrintable(ntask), "0000", "ONO", "X", "10", "20", "04.01.01.0001")
                                   : Riga("0000", "0000", "ESE", "X", "10", "20", "04.01.01.0001");
        r.DaCompetenza = competenze;
        r.cliente = cliente();
        r.npra = npra;
        ConRighe(d, {r});
        if (collegato) ConRitenuta(d, "1", "20");
        d.Parametri.NumerazioneAutomatica = false;
        d.Parametri.NumeroDocumento = numero;
        d.Parametri.MemorizzaFattura = memorizza;
        return d;
    }

    QString cliente() const { return collegato ? emissione_di_prova::Cliente : ClienteNonCollegato; }
    // The first document as the user is told of it.
    QString descrizione(const QString& numero) const {
        return "FATTURA N. " + numero + " del 15/01/04, cliente " + cliente() +
               (collegato ? " Rossi Mario S.r.l." : " Ditta CLI01") + ", fascola 0007";
    }
    QString copiaDi(const EsitoEmissione& e) const { return QDir(fatture).filePath(e.NomeFileFattura); }

    bool collegato = false;
    bool competenze = true;
    bool memorizza = true;

private:
    int voci_ = 10;
};

// The first document issued, then changed as an earlier release or the office left it; then
// either a document of the same number for another case file, or the same document again.
TEST_F(AnnullatiAltrove, ADocumentCancelledElsewhereNoLongerCounts) {
    struct Caso {
        const char* nome;
        bool collegato;
        bool competenze;   // the first document billed a fee item, else its line was typed
        bool memorizza;    // copies kept
        bool liberate;     // its fee items billable again
        bool senzaCopia;   // its stored copy removed
        bool conta;        // it still counts
    } casi[] = {
        {"cancelled by an earlier release", false, true, true, true, true, false},
        {"cancelled by an earlier release, linked", true, true, true, true, true, false},
        {"typed lines, no copy kept", false, false, false, false, false, true},
        {"typed lines, no copy kept, linked", true, false, false, false, false, true},
        {"fee items billable again, its copy still there", false, true, true, true, false, true},
        {"fee items billed, no copy kept", false, true, false, false, false, true},
    };
    for (const Caso& c : casi) {
        for (const bool stesso : {false, true}) {
            SCOPED_TRACE(std::string(c.nome) + (stesso ? ", the same document again" : ", another case file"));
            Ricrea();
            collegato = c.collegato;
            competenze = c.competenze;
            memorizza = c.memorizza;
            const QString numero = collegato ? "12" : "1";
            const EsitoEmissione primo = EmessoEStampato(documentoDi("0007", numero));
            ASSERT_TRUE(primo.Emesso()) << int(primo.Arresto);
            ASSERT_EQ(QFile::exists(copiaDi(primo)), c.memorizza);
            if (c.liberate)
                db().execute("UPDATE competenze SET fatturato = 0, idfattura = '' WHERE cliente = ? AND idfattura = ?",
                             {cliente(), primo.IdFattura});
            if (c.senzaCopia) {
                ASSERT_TRUE(QFile::remove(copiaDi(primo)));
            }

            const DocumentoDaEmettere d = documentoDi(stesso ? "0007" : "0008", numero);
            const QStringList prima = Stato();
            ScriptedMessages messaggi;
            if (c.conta && collegato) {
                messaggi.expectMessage(Answer::Ok, "Il numero " + numero +
                                                  " è già stato dato nello stesso anno a un documento non registrato "
                                                  "in contabilità (" +
                                                  descrizione(numero) + ")" + NonEmesso);
            } else if (c.conta && stesso) {
                messaggi.expectMessage(Answer::Ok,
                                  "Il cliente ha già un documento della stessa fascola, data e numero (" +
                                      descrizione(numero) + ")" + NonEmesso,
                                  TitoloEmissione);
            } else if (c.conta) {
                messaggi.expectMessage(Answer::No, DomandaNumeroDato(numero, descrizione(numero)), TitoloEmissione);
            }
            const EsitoEmissione secondo = EmessoEStampato(d);
            EXPECT_EQ(messaggi.pending(), 0);
            EXPECT_EQ(messaggi.asked().size(), c.conta ? 1u : 0u);
            if (c.conta) {
                const ArrestoEmissione atteso = collegato ? ArrestoEmissione::NumeroGiaUsato
                                                : stesso  ? ArrestoEmissione::IdFatturaInUso
                                                          : ArrestoEmissione::NumeroNonConfermato;
                EXPECT_EQ(secondo.Arresto, atteso);
                EXPECT_EQ(Stato(), prima);
                continue;
            }
            ASSERT_TRUE(secondo.Emesso()) << int(secondo.Arresto);
            EXPECT_TRUE(QFile::exists(copiaDi(secondo)));
            if (stesso) {
                // The record of the new document, in place of the old one.
                EXPECT_EQ(secondo.IdFattura, primo.IdFattura);
                EXPECT_EQ(Righe(db(), "SELECT lettera, competenzefatturate FROM DocumentiEmessi WHERE idfattura = ?",
                                {primo.IdFattura}),
                          std::vector<QStringList>{(QStringList{"F", "1"})});
                EXPECT_EQ(Righe(db(), "SELECT count(*) FROM competenze WHERE idfattura = ?", {primo.IdFattura}).front(),
                          QStringList{"1"});
            }
        }
    }
}

// An earlier release's cancel stopped once the fee items were billable again, the copy under
// its cancelling name: the next list of "Ristampa / Annulla" does not bring the document back,
// and removes the file.
TEST_F(AnnullatiAltrove, AnEarlierReleasesCancelStoppedHalfWayStaysCancelled) {
    const EsitoEmissione e = EmessoEStampato(documentoDi("0007", "1"));
    ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
    ASSERT_TRUE(QFile::rename(copiaDi(e), NomeInAnnullamento(copiaDi(e))));
    db().execute("UPDATE competenze SET fatturato = 0, idfattura = '' WHERE cliente = ? AND idfattura = ?",
                 {cliente(), e.IdFattura});
    EXPECT_TRUE(ElencoDocumentiEmessi(db(), avvio, fatture, cliente(), false, true).empty());
    EXPECT_TRUE(QDir(fatture).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(box.asked().empty());
}

// The record of a document says whether it billed fee items: a document of typed lines billed
// none.
TEST_F(AnnullatiAltrove, TheRecordSaysWhetherItsDocumentBilledFeeItems) {
    for (const bool conCompetenze : {true, false}) {
        SCOPED_TRACE(conCompetenze ? "fee items" : "typed lines");
        Ricrea();
        competenze = conCompetenze;
        const EsitoEmissione e = EmessoEStampato(documentoDi("0007", "1"));
        ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
        EXPECT_EQ(Righe(db(), "SELECT competenzefatturate FROM DocumentiEmessi WHERE idfattura = ?", {e.IdFattura}),
                  std::vector<QStringList>{QStringList{conCompetenze ? "1" : "0"}});
    }
}

}  // namespace
