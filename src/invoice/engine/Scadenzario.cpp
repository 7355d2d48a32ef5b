#include "invoice/engine/Scadenzario.h"

#include <optional>
#include <stdexcept>

#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/Importi.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

struct Termine {
    qint64 giorni = 0;
    QString descrizione;
};

// The amount as a plain number with the decimal comma and only the decimals it has.
QString testoSemplice(Currency importo) {
    return QString::fromStdString(importo.toPlainString()).replace(u'.', u',');
}

}  // namespace

bool GiorniInCifre(const QString& pagamento) {
    return SoloCifre(pagamento);
}

Scadenza CalcoloScadenzario(const RigaFattura& riga, const QString& DataFattura, LettoreAliquoteIva& aliquote) {
    Procedura proc("Funzione di calcolo dello scadenzario");
    Scadenza s;

    std::optional<Termine> termine;
    if (aliquote.collegato()) {
        if (!aliquote.sessione()) throw std::logic_error("a linked due-date computation needs a session");
        if (!proc.esegui([&] {
                db::Statement r(*aliquote.sessione(),
                                "SELECT periodo, descrizione FROM codicipagamento WHERE codice = ?", {riga.pagamento});
                if (r.step())
                    termine = Termine{r.column(0).intOr(0),
                                      riga.pagamento + " - " + basic::Left(r.column(1).textOr(QString()), 20)};
            }))
            return s;
    } else if (GiorniInCifre(riga.pagamento)) {
        if (!proc.esegui([&] {
                const int64_t giorni = basic::CCur(riga.pagamento).raw() / Currency::Scale;
                termine = Termine{giorni,
                                  giorni == 0 ? QString("Rimessa diretta") : riga.pagamento + " gg. data fattura"};
            }))
            return s;
    }
    if (!termine) return s;

    if (!proc.esegui([&] {
            const auto data = basic::ToDate(DataFattura);
            if (!data) throw db::err::typeMismatch();
            s.ScadenzaData = basic::Format(data->addDays(termine->giorni), "dd/mm/yyyy");
        }))
        return s;
    s.ScadenzaDescrizione = termine->descrizione;
    s.ScadenzaImporto = testoSemplice(riga.impofat);
    if (riga.impofat.isZero()) return s;

    const auto aliquota = aliquote.leggi(riga.CodiceIva, proc);
    if (proc.abbandonata()) return s;
    // The line's VAT as the document prints it, so that the amount agrees with the page.
    std::optional<Currency> imposta;
    if (aliquota && aliquota->Percentuale > Currency()) imposta = ImpostaRiga(riga, *aliquota);
    s.ScadenzaImporto = QString::number(UnitaInScadenza(riga.impofat, imposta));
    return s;
}
