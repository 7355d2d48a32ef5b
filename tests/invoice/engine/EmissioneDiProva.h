#pragma once
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "accounting/engine/SchemaContabile.h"
#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/FatturaDiProva.h"
#include "invoice/engine/ImportiDocumento.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace emissione_di_prova {

using fattura_di_prova::euro;

inline const QString Cliente = "01.01.01.0001";
inline const QString Npra = "0007";
inline const QString DataFattura = "15/01/2004";
inline const std::string GiornoIso = "2004-01-15";

inline const QString Gestione = "GESTIONE DEGLI ERRORI";
// How a refusal of the issue ends.
inline const QString NonEmesso = ": il documento non è stato emesso";
// The question asked, not linked, before a number that `documenti` bear is given again.
inline QString DomandaNumeroDato(const QString& numero, const QString& documenti) {
    return "Il numero " + numero + " è già stato dato nello stesso anno a:\n" + documenti +
           "\n\nSi vuole emettere il documento con lo stesso numero? (Una serie a parte, come le note di credito, può "
           "ripetere il numero di una fattura.)";
}

inline const QString NonEmessoDopoErrore =
    "Il documento non è stato emesso: gli archivi sono rimasti come erano prima della stampa";

// The two messages of an issue given up after an error: the error handler's, answered with
// `risposta`, then the notice that nothing was issued.
inline void AttesiErroreENonEmesso(ScriptedMessages& messaggi, ui::Answer risposta) {
    messaggi.expectMessage(risposta, std::nullopt, Gestione);
    messaggi.expectMessage(ui::Answer::Ok, NonEmessoDopoErrore, TitoloEmissione);
}

// Every row of every table of an archive, so that a test can tell whether anything at all
// changed.
inline QStringList Contenuto(db::Database& archivio, const std::string& schema = "main") {
    QStringList righe;
    db::Statement tabelle(archivio, "SELECT name FROM " + schema +
                                        ".sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
    while (tabelle.step()) {
        const std::string t = tabelle.column(0).toText();
        db::Statement st(archivio, "SELECT * FROM " + schema + ".\"" + t + "\" ORDER BY rowid");
        while (st.step()) {
            QString riga = QString::fromStdString(t);
            for (int i = 0; i < st.columnCount(); ++i) riga += "|" + QString::fromStdString(st.column(i).textOr("<Null>"));
            righe << riga;
        }
    }
    return righe;
}

// The rows a query returns, each column as text ("<Null>" for Null).
inline std::vector<QStringList> Righe(db::Database& archivio, const std::string& sql, const db::Params& params = {}) {
    std::vector<QStringList> tutte;
    db::Statement st(archivio, sql, params);
    while (st.step()) {
        QStringList riga;
        for (int i = 0; i < st.columnCount(); ++i) riga << QString::fromStdString(st.column(i).textOr("<Null>"));
        tutte.push_back(riga);
    }
    return tutte;
}

// A linked installation: the sample accounting archive of ROSSI 2004 (sales register V numbers
// invoices from 12; VAT codes 20, 10, 4, E15, N8; sales VAT account 02.02.01.0001; another
// year when `esercizio` is set before Ricrea), a case-file
// archive with case file 0007 of client 01.01.01.0001 and its fee items, the session on both,
// a start folder and an invoice folder of the test's own, and an invoice of five lines on them:
//   1 task 0001       ONO fee     100,00  VAT 20  revenue 04.01.01.0001
//   2 task 0001/0001  SPE cost     50,00  VAT 10  revenue 04.01.01.0002
//   3 task 0002       ONO fee      30,00  VAT 20  revenue 04.01.01.0001
//   4 task 0002       ANT advance  40,00  E15     revenue 04.01.02.0001
//   5 task 0002       ZER fee       0,00  VAT 20  revenue 04.01.01.0001
// taxable 220,00, VAT 31,00 (26,00 at 20 %, 5,00 at 10 %), total 251,00; grid rows: task
// heading, line 1, job heading, line 2, task heading, lines 3 to 5.
class EmissioneCollegata : public ::testing::Test {
public:
    void SetUp() override { Ricrea(); }
    void TearDown() override {
        sessione.reset();
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        ImpostaOrologioAttese(nullptr);
    }

    // The whole installation made again from nothing: for a test that tries one case after
    // another.
    void Ricrea() {
        sessione.reset();
        fascole.reset();
        contab.reset();
        dir = std::make_unique<TempDir>();
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        ImpostaOrologioAttese(nullptr);
        contab = std::make_unique<AccountingFixture>(dir->path());
        fascole = std::make_unique<fixtures::CaseFileArchive>(dir->file("fascole.mdb"));
        contab->aggiungiDitta(AccountingFixture::AcronimoCampione, AccountingFixture::IdCampione);
        pathContabile = contab->creaArchivio(AccountingFixture::AcronimoCampione, esercizio);
        contab->collega(AccountingFixture::AcronimoCampione, esercizio);
        avvio = dir->file("avvio");
        fatture = dir->file("fatture");
        QDir().mkpath(avvio);
        QDir().mkpath(fatture);

        fascole->addCaseFile(Cliente, Npra, "2004-01-02", {{"numpranno", "2004.00017"}});
        struct Voce {
            const char *ntask, *njob, *elemento;
            const char* importo;
        };
        const Voce voci[] = {{"0001", "0000", "ONO", "100"}, {"0001", "0001", "SPE", "50"}, {"0002", "0000", "ONO", "30"},
                             {"0002", "0000", "ANT", "40"},  {"0002", "0000", "ZER", "0"},  {"0003", "0000", "ONO", "77"}};
        for (const Voce& v : voci)
            fascole->addFeeItem(Cliente, Npra, v.ntask, v.njob, v.elemento,
                                {{"impofat", euro(v.importo)}, {"descrizione", "voce " + QString(v.elemento)},
                                 {"ricavi", "04.01.01.0001"}});
        fascole->close();
        sessione = std::make_unique<Sessione>(pathFascole(), pathContabile);
        documento = DocumentoDiProva();
    }

    // The accounting archive's year (its VAT codes are those of the year), set before Ricrea.
    QString esercizio = AccountingFixture::EsercizioCampione;

    QString pathFascole() const { return fascole->path(); }
    db::Database& db() { return sessione->db(); }

    // An issue as STAMPA runs it, printed.
    EsitoEmissione EmessoEStampato(const DocumentoDaEmettere& d) {
        EsitoEmissione e = EmissioneDocumento(db(), d);
        if (e.Emesso())
            ChiusuraArchivioStampa(e.PathArchivioStampa, e.PathNomeProprio, e.Copia, true, d.Ambiente.CartellaFatture);
        return e;
    }

    // A line of the fee item of that task, job and element, as the selection takes it.
    static RigaFattura Riga(const char* ntask, const char* njob, const char* elemento, const char* tipo,
                            const char* importo, const char* iva, const char* ricavi) {
        RigaFattura r;
        r.DaCompetenza = true;
        r.cliente = Cliente;
        r.npra = Npra;
        r.ntask = ntask;
        r.njob = njob;
        r.elemento = elemento;
        r.Tipo = tipo;
        r.descrizione = "Descrizione " + QString(elemento) + " " + ntask;
        r.impofat = euro(importo);
        r.CodiceIva = iva;
        r.ricavi = ricavi;
        r.pagamento = "R30";
        return r;
    }

    // `d` made of `righe` alone, one grid row each, with the totals and summary the tab shows.
    void ConRighe(DocumentoDaEmettere& d, const std::vector<RigaFattura>& righe) {
        d.RigheFattura.svuota();
        d.RigheVisualizzate.svuota();
        int n = 0;
        for (const RigaFattura& r : righe) {
            d.RigheFattura.aggiungi(r);
            d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, ++n});
        }
        Didascalie(d);
    }

    // The stamp duty of 2,00 by criterion "1" from the threshold `soglia` on.
    static void ConBollo(DocumentoDaEmettere& d, const char* soglia) {
        d.Parametri.Bollo = true;
        d.Parametri.CriterioBollo = "1";
        d.Parametri.SogliaBollo = soglia;
        d.Parametri.ImportoBollo = "2,00";
    }

    // The withholding on account of `percentuale` by `criterio`, on the whole of its taxable.
    static void ConRitenuta(DocumentoDaEmettere& d, const char* criterio, const char* percentuale) {
        d.Parametri.RitenutaAcconto = true;
        d.Parametri.CriterioRA = criterio;
        d.Parametri.RAPercImponibile = "100";
        d.Parametri.RitAccPerc = percentuale;
    }

    // The installation made again on the sample accounting archive of a year of today's rates
    // (VAT 22 % and exemption E10), the document's lines at 20 % moved to 22 % and its exempt
    // lines to E10, dated in that year.
    void AlleAliquoteDiOggi() {
        esercizio = "2026";
        Ricrea();
        for (int i = 1; i <= documento.RigheFattura.NumeroRighe(); ++i) {
            RigaFattura& r = documento.RigheFattura.riga(i);
            if (r.CodiceIva == "20") r.CodiceIva = "22";
            if (r.CodiceIva == "E15") r.CodiceIva = "E10";
        }
        documento.Parametri.DataFattura = "15/01/2026";
        Didascalie(documento);
    }

    // The document as the tab would hand it over, with the totals and summary the tab shows.
    DocumentoDaEmettere DocumentoDiProva() {
        DocumentoDaEmettere d;
        d.Tipo = TipoDocumento::Fattura;
        d.RigheFattura.aggiungi(Riga("0001", "0000", "ONO", "X", "100", "20", "04.01.01.0001"));
        d.RigheFattura.aggiungi(Riga("0001", "0001", "SPE", "C", "50", "10", "04.01.01.0002"));
        d.RigheFattura.aggiungi(Riga("0002", "0000", "ONO", "X", "30", "20", "04.01.01.0001"));
        d.RigheFattura.aggiungi(Riga("0002", "0000", "ANT", "A", "40", "E15", "04.01.02.0001"));
        d.RigheFattura.aggiungi(Riga("0002", "0000", "ZER", "X", "0", "20", "04.01.01.0001"));
        d.RigheVisualizzate.aggiungi({TipoRiga::Incarico, "Incarico uno", 1});
        d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, 1});
        d.RigheVisualizzate.aggiungi({TipoRiga::Lavorazione, "Lavorazione uno", 2});
        d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, 2});
        d.RigheVisualizzate.aggiungi({TipoRiga::Incarico, "Incarico due", 3});
        for (int i = 3; i <= 5; ++i) d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, i});
        d.Fascola = {Cliente, "Rossi Mario", Npra, "2004.00017", "02/01/2004", "RIF-42",
                     "Pratica di successione per la famiglia Rossi, immobili in Milano e provincia"};
        d.Parametri.DataFattura = DataFattura;
        d.Parametri.RegistroIva = "V";
        d.Parametri.NumerazioneAutomatica = true;
        d.Parametri.DettaglioFascola = true;
        d.Parametri.RigaTestata1 = "Studio Bianchi";
        d.Parametri.RigaTestata2 = "Via Manzoni 1";
        d.Parametri.RigaTestata3 = "20121 Milano";
        d.Parametri.RigaTestata4 = "P.IVA 00000000001";
        d.Parametri.RigaTestata5 = "tel. 02 1234567";
        d.Parametri.RigaTestata6 = "studio@example.it";
        d.Note = {"Nota uno", "Nota due", "Nota tre", "Nota quattro"};
        d.DatiCliente.Indirizzo = "Via Verdi 3";
        d.DatiCliente.Cap = "20121";
        d.DatiCliente.Localita = "Milano";
        d.DatiCliente.Provincia = "MI";
        d.DatiCliente.PartitaIva = "01234567890";
        d.DatiCliente.CodiceFiscale = "RSSMRA60A01F205X";
        d.Ambiente = AmbienteLavoro();
        d.Ambiente.CartellaAvvio = avvio;
        d.Ambiente.CartellaFatture = fatture + "\\";
        Didascalie(d);
        return d;
    }

    // The tab's totals and VAT summary of the lines of `d`, as the tab composes them.
    void Didascalie(DocumentoDaEmettere& d) {
        LettoreAliquoteIva aliquote(db(), d.Ambiente.CollegatoContabilita);
        const auto r = CalcoloRiepilogoIva(d.RigheFattura, aliquote);
        ASSERT_TRUE(r.has_value());
        d.Riepilogo = *r;
    }

    // Both archives, every row, and the files of the start and invoice folders.
    QStringList Stato() {
        QStringList s = Contenuto(db(), "main");
        s += Contenuto(db(), SchemaContabile);
        s += QDir(avvio).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        s += QDir(fatture).entryList(QDir::Files | QDir::NoDotAndDotDot);
        return s;
    }

    // The last number of the invoice counter of the sales register V, and the document numbers
    // its journal headers carry, in the order they were posted.
    QString contatore() { return Righe(db(), "SELECT numerofattura FROM ivaregistri WHERE codice = 'V'").front().front(); }
    QStringList numeriDelRegistro() {
        QStringList n;
        for (const QStringList& r : Righe(db(), "SELECT protocolloiva FROM giornale WHERE registroiva = 'V' ORDER BY "
                                                "contatore"))
            n << r.front();
        return n;
    }

    // Issues `d`, which the range of money stops: the error box says "Overflow", answered
    // `risposta`, and nothing is written to either archive or either folder.
    void FermataDaOverflow(const DocumentoDaEmettere& d, ui::Answer risposta) {
        const QStringList prima = Stato();
        ScriptedMessages messaggi;
        AttesiErroreENonEmesso(messaggi, risposta);
        const EsitoEmissione e = EmissioneDocumento(db(), d);
        EXPECT_EQ(e.Arresto, ArrestoEmissione::Errore);
        EXPECT_EQ(messaggi.pending(), 0);
        ASSERT_FALSE(messaggi.asked().empty());
        const QString errore = messaggi.asked().front().text;
        EXPECT_TRUE(errore.contains("errore  6") && errore.contains("Overflow")) << errore.toStdString();
        EXPECT_EQ(Stato(), prima);
    }

    // A connection of another workstation to the accounting archive.
    std::unique_ptr<db::Database> AltraPostazioneContabile() { return db::Database::open(pathContabile.toStdString()); }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<AccountingFixture> contab;
    std::unique_ptr<fixtures::CaseFileArchive> fascole;
    QString pathContabile, avvio, fatture;
    std::unique_ptr<Sessione> sessione;
    DocumentoDaEmettere documento;
    ScriptedMessages box;
};

}  // namespace emissione_di_prova
