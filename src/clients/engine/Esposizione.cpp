#include "clients/engine/Esposizione.h"

#include <QFileInfo>
#include <memory>

#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/Paths.h"

namespace {

// Amounts are summed as whole ten-thousandths, so that no floating-point sum stands between
// the stored amounts and the figure shown. The units and the decimals are turned into
// ten-thousandths apart: a stored double times 10000 at once is rounded again by the
// product, a ten-thousandth off for some amounts from 274.877.906.944 on (a document's total
// can be one), while the decimals alone are exact.
std::string somma(const std::string& colonna) {
    const std::string unita = "CAST(" + colonna + " AS INTEGER)";
    return "SUM(" + unita + " * 10000 + CAST(ROUND((" + colonna + " - " + unita + ") * 10000) AS INTEGER))";
}

Currency comeImporto(const db::Value& decimillesimi) {
    return decimillesimi.isNull() ? Currency() : Currency::fromRaw(decimillesimi.toInt());
}

}  // namespace

Currency SommaGiornale(db::Database& contabilita, const QString& cliente, const QString& segno) {
    // A line counts once, whatever the number of headers of its entry; the entries of kind
    // "K" are left out, those without a kind count.
    return comeImporto(contabilita.scalar(
        "SELECT " + somma("giornaledettaglio.importo") +
            " FROM giornaledettaglio WHERE giornaledettaglio.codice = ? AND giornaledettaglio.segno = ?"
            " AND EXISTS (SELECT * FROM giornale WHERE giornale.giorno = giornaledettaglio.giorno"
            " AND giornale.numero = giornaledettaglio.numero AND IFNULL(giornale.tipo, '') <> 'K')",
        {cliente, segno}));
}

Currency SommaCompetenze(db::Database& archivio, const QString& cliente, const QString& npra, Fascole quali,
                         bool fatturate, const QString& tipo) {
    const std::string fascola = quali == Fascole::Corrente ? " AND competenze.npra = ?" : " AND competenze.npra <> ?";
    return comeImporto(archivio.scalar(
        "SELECT " + somma("competenze.impofat") + " FROM competenze WHERE competenze.cliente = ?" + fascola +
            " AND competenze.fatturato = ?"
            " AND EXISTS (SELECT * FROM elefat WHERE elefat.tipo = ? AND elefat.codice = competenze.elemento)",
        {cliente, npra, fatturate, tipo}));
}

std::optional<QString> PathEsercizioPrecedente(const QString& pathContabile) {
    const QString coda = basic::Right(pathContabile, 8);
    const QString anno = basic::Left(coda, 4);
    if (coda.size() < 8 || coda.mid(4).compare(".mdb", Qt::CaseInsensitive) != 0) return std::nullopt;
    for (const QChar c : anno)
        if (!c.isDigit()) return std::nullopt;
    return basic::Left(pathContabile, pathContabile.size() - 8) + QString::number(anno.toInt() - 1) + ".mdb";
}

Esposizione CalcolaEsposizione(db::Database& sessione, const RichiestaEsposizione& r,
                               const std::function<void(int)>& avanzamento) {
    Procedura proc("Funzione di inizializzazione Form Esposizione");
    Esposizione e;
    auto passo = [&](int valore) {
        if (avanzamento) avanzamento(valore);
    };
    // Each figure is one step: a step skipped at the error handler's answer counts 0, one
    // left ends the computation with what was read until then.
    auto leggi = [&](Currency& cifra, const std::function<Currency()>& lettura) {
        return proc.esegui([&] { cifra = lettura(); });
    };

    if (r.collegato) {
        const std::optional<QString> precedente = PathEsercizioPrecedente(r.pathContabile);
        if (precedente && QFileInfo(sys::LocalPath(*precedente)).isFile()) {
            std::unique_ptr<db::Database> archivio;
            // Only read: another workstation may be closing that year.
            const bool aperto = proc.essenziale([&] {
                archivio = db::Database::open(precedente->toStdString());
                archivio->execute("PRAGMA query_only = ON");
            });
            if (proc.abbandonata()) return e;
            if (aperto) {
                SaldoGiornale& s = e.esercizioPrecedente;
                if (!leggi(s.dare, [&] { return SommaGiornale(*archivio, r.cliente, "D"); })) return e;
                passo(10);
                if (!leggi(s.avere, [&] { return SommaGiornale(*archivio, r.cliente, "A"); })) return e;
                passo(20);
            }
        }
        SaldoGiornale& s = e.esercizioAttuale;
        if (!leggi(s.dare, [&] { return SommaGiornale(sessione, r.cliente, "D"); })) return e;
        passo(30);
        if (!leggi(s.avere, [&] { return SommaGiornale(sessione, r.cliente, "A"); })) return e;
        passo(40);
    } else {
        passo(40);
    }

    struct Gruppo {
        CompetenzePerTipo& cifre;
        Fascole quali;
        bool fatturate;
    };
    const Gruppo gruppi[] = {{e.altreFatturate, Fascole::Altre, true},
                             {e.altreNonFatturate, Fascole::Altre, false},
                             {e.correnteFatturate, Fascole::Corrente, true},
                             {e.correnteNonFatturate, Fascole::Corrente, false}};
    int avanzato = 40;
    for (const Gruppo& g : gruppi) {
        const std::pair<Currency*, const char*> tipi[] = {
            {&g.cifre.anticipazioni, "A"}, {&g.cifre.costi, "C"}, {&g.cifre.competenze, "X"}};
        for (const auto& [cifra, tipo] : tipi) {
            if (!leggi(*cifra, [&] { return SommaCompetenze(sessione, r.cliente, r.npra, g.quali, g.fatturate, tipo); }))
                return e;
            passo(avanzato += 10);
        }
    }
    e.completa = true;
    return e;
}
