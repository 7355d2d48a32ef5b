// Random documents issued from end to end, their fee items typed with fractions of a cent: what
// the tab shows, what the print database holds, the VAT register and the journal agree to the
// cent with figures worked out here, apart from the program's own arithmetic. Every amount of
// the document is in whole cents; the fee items keep what was typed.
#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <random>

#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/SelezioneFattura.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

using emissione_di_prova::Cliente;
using emissione_di_prova::EmissioneCollegata;
using emissione_di_prova::Npra;

// --- The figures, worked out with whole ten-thousandths.

// To the cent, halves away from zero.
int64_t alCentesimo(int64_t raw) {
    const int64_t a = raw < 0 ? -raw : raw;
    const int64_t c = (a + 50) / 100 * 100;
    return raw < 0 ? -c : c;
}

// a x p / 100 (both in ten-thousandths) to the cent, once from the exact product, halves away
// from zero.
int64_t centesimiDi(int64_t a, int64_t p) {
    const __int128 n = __int128(a) * p, meta = __int128(50000000);
    const __int128 cent = (n < 0 ? -n + meta : n + meta) / 100000000;
    return int64_t(n < 0 ? -cent : cent) * 100;
}

// The VAT of an amount at a rate in percent: to the cent as every figure worked out of others.
int64_t iva(int64_t imponibile, int64_t aliquota) { return centesimiDi(imponibile, aliquota); }

Currency c(int64_t raw) { return Currency::fromRaw(raw); }
QString esteso(int64_t raw) { return basic::Format(c(raw), "#,###,##0.00"); }

struct Codice {
    QString codice;
    int64_t aliquota;   // ten-thousandths of a percent
    bool numerica;      // the summary prints an amount
    QString testo;      // what it prints otherwise
};

// Linked: the VAT codes of the sample archive and one it lacks; not linked: typed rates and
// codes that are no number.
const std::vector<Codice> CodiciCollegati = {{"20", 200000, true, ""},
                                             {"10", 100000, true, ""},
                                             {"4", 40000, true, ""},
                                             {"E15", 0, false, "Escluso art. 15"},
                                             {"N8", 0, false, "Non imponibile art. 8"}};
const Codice Sconosciuto = {"XX", 0, true, ""};
const std::vector<Codice> CodiciDigitati = {
    {"20", 200000, true, ""}, {"10", 100000, true, ""}, {"4", 40000, true, ""}, {"ES", 0, false, "ES"}, {"", 0, false, ""}};

const QString Ricavi[] = {"04.01.01.0001", "04.01.01.0002", "04.01.02.0001"};
const QString ContoIva = "02.02.01.0001";

struct Caso {
    bool collegato = false;
    bool sconosciuto = false;  // a line with a code the archive lacks
    bool ritenute = false;
    bool bollo = false;
    QString criterioBollo;
    TipoDocumento tipo = TipoDocumento::Fattura;
    int righe = 1;
};

struct Gruppo {
    Codice codice;
    int64_t imponibile = 0;
    int64_t imposta = 0;
    int primaRiga = 0;
};

class DocumentoComposto : public EmissioneCollegata {};

TEST_F(DocumentoComposto, TabPrintDatabaseAndJournalAgreeToTheCent) {
    std::mt19937 caso(20040115);
    auto tra = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(caso); };
    const TipoDocumento tipi[] = {TipoDocumento::Fattura, TipoDocumento::NotaDebito, TipoDocumento::NotaCredito};

    std::vector<Caso> casi;
    for (int n = 0; n < 24; ++n) {
        Caso k;
        k.collegato = n % 3 != 2;
        k.ritenute = n % 4 == 1;
        k.sconosciuto = k.collegato && k.ritenute && n % 8 == 1;
        k.bollo = n % 5 != 4;
        k.criterioBollo = QString::number(n % 4 + 1);
        k.tipo = tipi[n % 3];
        k.righe = n == 0 ? 1 : n == 1 ? 300 : tra(1, 60);
        casi.push_back(k);
    }

    int contabilizzati = 0;
    for (size_t n = 0; n < casi.size(); ++n) {
        const Caso& k = casi[n];
        SCOPED_TRACE("case " + std::to_string(n));
        Ricrea();
        const std::vector<Codice>& codici = k.collegato ? CodiciCollegati : CodiciDigitati;

        // --- The document.
        DocumentoDaEmettere d = documento;
        d.Tipo = k.tipo;
        d.Ambiente.CollegatoContabilita = k.collegato;
        d.Parametri.NumerazioneAutomatica = true;
        d.Parametri.NumeroDocumento = "5";
        d.Parametri.RitenutaAcconto = k.ritenute;
        d.Parametri.CriterioRA = QString::number(tra(1, 3));
        d.Parametri.RAPercImponibile = "50";
        d.Parametri.RitAccPerc = "20";
        d.Parametri.AltreRitenute = k.ritenute && n % 2 == 0;
        d.Parametri.AltreRitCriterio = "1";
        d.Parametri.AltreRitPercImponibile = "100";
        d.Parametri.AltreRitPerc = "4";
        d.Parametri.AltreRitTesto = "Contributo";
        d.Parametri.Bollo = k.bollo;
        d.Parametri.CriterioBollo = k.criterioBollo;
        d.Parametri.SogliaBollo = n % 2 ? "77,47" : "0";
        d.Parametri.ImportoBollo = "2,00";
        d.RigheFattura.svuota();
        d.RigheVisualizzate.svuota();
        std::vector<Codice> codiceDi;
        std::vector<int64_t> digitati;  // the fee items' amounts, four decimals
        const char* tipiRiga[] = {"X", "C", "A"};
        {
            db::Transaction t(db());
            for (int i = 0; i < k.righe; ++i) {
                const QString ntask = QStringLiteral("%1").arg(i / 20 + 11, 4, 10, QChar('0'));
                const QString elemento = QStringLiteral("%1").arg(i % 20, 3, 10, QChar('0'));
                Codice cod = codici[size_t(tra(0, int(codici.size()) - 1))];
                if (k.sconosciuto && i % 7 == 3) cod = Sconosciuto;
                int64_t importo = int64_t(tra(0, 250000)) * 100 + (tra(0, 3) == 0 ? tra(0, 99) : 0);
                if (tra(0, 9) == 0) importo = -importo;
                if (tra(0, 19) == 0) importo = 0;
                RigaFattura r = Riga("0001", "0000", "ONO", tipiRiga[tra(0, 2)], "0", "", "");
                r.ntask = ntask;
                r.elemento = elemento;
                r.CodiceIva = cod.codice;
                r.IvaBloccata = true;
                r.ricavi = Ricavi[tra(0, 2)];
                r.impofat = c(importo);
                db().execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, impofat, fatturato) "
                             "VALUES (?, ?, ?, '0000', ?, ?, 0)",
                             {Cliente, Npra, ntask, elemento, r.impofat});
                const int riga = d.RigheFattura.aggiungi(r);
                d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, riga});
                codiceDi.push_back(cod);
                digitati.push_back(importo);
            }
            t.commit();
        }

        // --- The figures expected: each line bills its fee item's amount to the cent.
        auto importoRiga = [&](int i) { return alCentesimo(digitati[size_t(i - 1)]); };
        int64_t totaleImponibile = 0, totaleIvaTab = 0;
        std::vector<Gruppo> gruppi;
        for (int i = 1; i <= k.righe; ++i) {
            const Codice& cod = codiceDi[size_t(i - 1)];
            const int64_t v = iva(importoRiga(i), cod.aliquota);
            totaleImponibile += importoRiga(i);
            totaleIvaTab += v;
            auto g = std::find_if(gruppi.begin(), gruppi.end(), [&](const Gruppo& x) { return x.codice.codice == cod.codice; });
            if (g == gruppi.end()) {
                gruppi.push_back({cod, 0, 0, i});
                g = gruppi.end() - 1;
            }
            g->imponibile += importoRiga(i);
            g->imposta += v;
        }
        int64_t totale = totaleImponibile + totaleIvaTab;

        auto base = [&](const QString& criterio) {
            int64_t b = 0;
            for (int i = 1; i <= k.righe; ++i) {
                const RigaFattura& r = d.RigheFattura.riga(i);
                if (criterio == "1" || (criterio == "2" && r.Tipo != "A") || (criterio == "3" && r.Tipo == "X"))
                    b += importoRiga(i);
            }
            return b;
        };
        // Base and amount of a withholding to the cent, as printed.
        auto ritenuta = [&](int64_t b, int64_t quota, int64_t aliquota) {
            return centesimiDi(centesimiDi(b, quota), aliquota);
        };
        std::vector<int64_t> ritenute;
        if (d.Parametri.RitenutaAcconto) ritenute.push_back(ritenuta(base(d.Parametri.CriterioRA), 500000, 200000));
        if (d.Parametri.AltreRitenute) ritenute.push_back(ritenuta(base("1"), 1000000, 40000));
        for (int64_t r : ritenute) totale -= r;

        auto zero = [&](int i) { return codiceDi[size_t(i - 1)].aliquota == 0; };
        auto primaDelGruppo = [&](int i) {
            for (int j = 1; j <= i; ++j)
                if (codiceDi[size_t(j - 1)].codice == codiceDi[size_t(i - 1)].codice) return j;
            return i;
        };
        int64_t baseBollo = 0;
        int rigaBollo = 0, primaNellaBase = 0;
        const QString& cb = k.criterioBollo;
        for (int i = 1; i <= k.righe; ++i) {
            const RigaFattura& r = d.RigheFattura.riga(i);
            bool entra = false;
            if (cb == "1") entra = zero(i);
            if (cb == "2") entra = r.Tipo != "A" && zero(i);
            if (cb == "3" || cb == "4") entra = totaleIvaTab == 0 && (cb == "3" || r.Tipo != "A");
            if (!entra) continue;
            if (cb != "1") baseBollo += importoRiga(i);
            if (!primaNellaBase) primaNellaBase = i;
            if (!rigaBollo && zero(i)) rigaBollo = primaDelGruppo(i);
        }
        if (cb == "1")
            for (const Gruppo& g : gruppi)
                if (g.codice.aliquota == 0) baseBollo += g.imponibile;
        if (!rigaBollo) rigaBollo = primaNellaBase;
        const int64_t soglia = d.Parametri.SogliaBollo == "0" ? 0 : 774700;
        const bool conBollo = k.bollo && baseBollo > 0 && baseBollo >= soglia;
        const int64_t bollo = conBollo ? 20000 : 0;
        totale += bollo;

        // --- The tab: its grid, its labels and the summary it hands to the issue.
        LettoreAliquoteIva aliquote(db(), k.collegato);
        const GrigliaFattura griglia =
            VisualizzazioneElementiDaFatturare(db(), d.RigheFattura, d.RigheVisualizzate, false, aliquote);
        ASSERT_TRUE(griglia.Riepilogo.has_value());
        EXPECT_EQ(griglia.TestoTotale, esteso(totaleImponibile));
        EXPECT_EQ(griglia.TestoIva, esteso(totaleIvaTab));
        d.Riepilogo = *griglia.Riepilogo;

        // --- The issue.
        const EsitoEmissione e = EmissioneDocumento(db(), d);
        ASSERT_TRUE(e.Emesso()) << int(e.Arresto);
        ASSERT_TRUE(e.Importi.has_value());
        EXPECT_EQ(e.Importi->TotaleDocumento, c(totale));

        // The print database.
        {
            auto stampa = db::Database::open(e.PathArchivioStampa.toStdString());
            auto dato = [&](const QString& colonna) {
                return stampa->scalar("SELECT \"" + colonna.toStdString() + "\" FROM Dati").toText<QString>();
            };
            EXPECT_EQ(dato("Totale"), esteso(totale));
            int64_t imponibili = 0, imposte = 0;
            for (int g = 1; g <= 5; ++g) {
                const QString N = QString::number(g);
                if (size_t(g) > gruppi.size()) {
                    EXPECT_EQ(dato("Ivaimponibile" + N), "") << g;
                    continue;
                }
                const Gruppo& x = gruppi[size_t(g - 1)];
                EXPECT_EQ(dato("Ivacodice" + N), x.codice.codice) << g;
                EXPECT_EQ(dato("Ivaimponibile" + N), esteso(x.imponibile)) << g;
                EXPECT_EQ(dato("Ivaimposta" + N), x.codice.numerica ? esteso(x.imposta) : x.codice.testo) << g;
                imponibili += x.imponibile;
                if (x.codice.aliquota != 0) imposte += x.imposta;
            }
            EXPECT_EQ(dato("TotIvaimponibile"), esteso(imponibili));
            EXPECT_EQ(dato("TotIvaimposta"), esteso(imposte));
            EXPECT_EQ(dato("Bollo"), conBollo ? "2,00" : "");
            EXPECT_EQ(dato("importoritenuta1"), d.Parametri.RitenutaAcconto ? esteso(ritenute.front()) : "");
        }
        QFile::remove(e.PathArchivioStampa);
        // The fee items keep the amounts as typed.
        for (int i = 1; i <= k.righe; ++i) {
            const RigaFattura& r = d.RigheFattura.riga(i);
            EXPECT_EQ(db().scalar("SELECT impofat FROM competenze WHERE ntask = ? AND elemento = ?", {r.ntask, r.elemento})
                          .currencyOr(),
                      c(digitati[size_t(i - 1)]))
                << i;
        }

        // The journal.
        const bool posta = k.collegato && !k.ritenute;
        EXPECT_EQ(e.Contabilizzato, posta);
        const int registrazioni = db().scalar("SELECT count(*) FROM giornale").toInt();
        EXPECT_EQ(registrazioni, posta ? 1 : 0);
        if (!posta) continue;
        ++contabilizzati;
        const QString cliente = k.tipo == TipoDocumento::NotaCredito ? "A" : "D";
        const QString ricavi = k.tipo == TipoDocumento::NotaCredito ? "D" : "A";
        std::vector<std::pair<QString, int64_t>> attese = {{Cliente, totale}};
        int64_t somma = 0;
        auto accredita = [&](const QString& conto, int64_t importo) {
            auto r = std::find_if(attese.begin() + 1, attese.end(), [&](const auto& x) { return x.first == conto; });
            if (r == attese.end()) attese.push_back({conto, importo});
            else r->second += importo;
            somma += importo;
        };
        for (int i = 1; i <= k.righe; ++i)
            if (importoRiga(i) != 0) accredita(d.RigheFattura.riga(i).ricavi, importoRiga(i));
        if (conBollo) accredita(d.RigheFattura.riga(rigaBollo).ricavi, bollo);
        // The VAT row carries the VAT of the register's rows, nothing else.
        int64_t ivaRegistro = 0;
        for (const Gruppo& x : gruppi)
            if (x.codice.numerica) ivaRegistro += x.imposta;
        EXPECT_EQ(totale - somma, ivaRegistro);
        if (ivaRegistro != 0) attese.push_back({ContoIva, ivaRegistro});
        // The stamp is registered with the taxable amount of the group of the line that bears it.
        if (conBollo)
            for (Gruppo& x : gruppi)
                if (x.codice.codice == codiceDi[size_t(rigaBollo - 1)].codice) x.imponibile += bollo;
        EXPECT_EQ(db().scalar("SELECT totaleiva FROM giornale").currencyOr(), c(totale));

        db::Statement righe(db(), "SELECT codice, importo, segno FROM giornaledettaglio ORDER BY rowid");
        size_t j = 0;
        int64_t dare = 0, avere = 0;
        for (; righe.step(); ++j) {
            const QString conto = righe.column(0).textOr(QString());
            const Currency importo = righe.column(1).currencyOr();
            const QString segno = righe.column(2).textOr(QString());
            (segno == "D" ? dare : avere) += importo.raw();
            EXPECT_EQ(importo.raw() % 100, 0) << j;
            if (j >= attese.size()) continue;
            EXPECT_EQ(conto, attese[j].first) << j;
            EXPECT_EQ(importo, c(attese[j].second)) << j;
            EXPECT_EQ(segno, j == 0 ? cliente : ricavi) << j;
        }
        EXPECT_EQ(j, attese.size());
        EXPECT_EQ(dare, avere);

        db::Statement righeIva(db(), "SELECT codiceiva, imponibile, imposta FROM ivadettaglio ORDER BY rowid");
        size_t g = 0;
        int64_t registrato = 0;
        for (; righeIva.step(); ++g) {
            registrato += righeIva.column(1).currencyOr().raw() + righeIva.column(2).currencyOr().raw();
            if (g >= gruppi.size()) continue;
            EXPECT_EQ(righeIva.column(0).textOr(QString()), gruppi[g].codice.codice) << g;
            EXPECT_EQ(righeIva.column(1).currencyOr(), c(gruppi[g].imponibile)) << g;
            EXPECT_EQ(righeIva.column(2).currencyOr(), c(gruppi[g].codice.numerica ? gruppi[g].imposta : 0)) << g;
        }
        EXPECT_EQ(g, gruppi.size());
        EXPECT_EQ(registrato, totale);
    }
    // The cases cover posted documents of every kind.
    EXPECT_GE(contabilizzati, 9);
}

}  // namespace
