#include "fees/engine/CompetenzeFascola.h"

#include "fees/engine/TestiRipetuti.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

enum Colonna {
    Cliente, Npra, Ntask, Njob, Elemento, Descrizione, Data, Importo, Impofat, Primanota, Darepn, Averepn, Idpn,
    Fatturato, Ricavi, Idfattura, Spuntato, Pagamento, Addebitounitario, Fattore
};

// The day of a text "yyyy-mm-dd", alone or followed by a time; null for any other value, which
// the slower readings below then take.
QDate dataIso(const db::Value& v) {
    const auto* t = std::get_if<std::string>(&v.raw());
    if (!t || (t->size() > 10 && (*t)[10] != 'T' && (*t)[10] != ' ')) return {};
    return basic::IsoDayAtStart(*t).value_or(QDate());
}

// `c`, new, made the fee item of the statement's current row; `testi` holds the texts of the
// rows read before it.
void competenzaDaRiga(const db::Statement& st, CompetenzaLetta& c, TestiRipetuti& testi) {
    const int colonne = st.columnCount();
    c.letti.reserve(size_t(colonne));
    for (int i = 0; i < colonne; ++i) c.letti.push_back(st.column(i));
    const auto testo = [&](Colonna i, QString Competenza::*campo) { c.*campo = testi.testo(c.letti[i], i); };
    testo(Cliente, &Competenza::cliente);
    testo(Npra, &Competenza::npra);
    testo(Ntask, &Competenza::ntask);
    testo(Njob, &Competenza::njob);
    testo(Elemento, &Competenza::elemento);
    testo(Descrizione, &Competenza::descrizione);
    // Stored as ISO text; anything else an older tool may have left is read as a typed date.
    c.data = dataIso(c.letti[Data]);
    if (!c.data.isValid()) {
        const QString data = c.letti[Data].textOr(QString());
        c.data = QDate::fromString(data, Qt::ISODate);
        if (!c.data.isValid()) c.data = basic::ToDate(data).value_or(QDate());
    }
    c.importo = c.letti[Importo].currencyOr();
    c.addebitounitario = c.letti[Addebitounitario].currencyOr();
    c.impofat = c.letti[Impofat].currencyOr();
    testo(Fattore, &Competenza::fattore);
    c.primanota = c.letti[Primanota].boolOr();
    testo(Darepn, &Competenza::darepn);
    testo(Averepn, &Competenza::averepn);
    testo(Idpn, &Competenza::idpn);
    c.fatturato = c.letti[Fatturato].boolOr();
    testo(Ricavi, &Competenza::ricavi);
    testo(Idfattura, &Competenza::idfattura);
    c.spuntato = c.letti[Spuntato].boolOr();
    testo(Pagamento, &Competenza::pagamento);
}

}  // namespace

const FormaRiga& FormaCompetenze() {
    static const FormaRiga forma{"competenze",
                                 {"cliente", "npra", "ntask", "njob", "elemento"},
                                 {"descrizione", "data", "importo", "impofat", "primanota", "darepn", "averepn", "idpn",
                                  "fatturato", "ricavi", "idfattura", "spuntato", "pagamento", "addebitounitario",
                                  "fattore"}};
    return forma;
}

std::vector<CompetenzaLetta> CompetenzeDellaFascola(db::Database& archivio, const QString& cliente,
                                                    const QString& npra) {
    std::vector<CompetenzaLetta> competenze;
    db::Statement st(archivio,
                     "SELECT " + ColonneLette(FormaCompetenze()) +
                         " FROM competenze WHERE cliente = ? AND npra = ? ORDER BY ntask, njob, elemento",
                     {cliente, npra});
    TestiRipetuti testi;
    while (st.step()) competenzaDaRiga(st, competenze.emplace_back(), testi);
    return competenze;
}

std::optional<CompetenzaLetta> LeggiCompetenza(db::Database& archivio, const ChiaveCompetenza& k) {
    db::Statement st(archivio,
                     "SELECT " + ColonneLette(FormaCompetenze()) +
                         " FROM competenze WHERE cliente = ? AND npra = ? AND ntask = ? AND njob = ? AND elemento = ?",
                     {k.cliente, k.npra, k.ntask, k.njob, k.elemento});
    if (!st.step()) return std::nullopt;
    CompetenzaLetta c;
    TestiRipetuti testi;
    competenzaDaRiga(st, c, testi);
    return c;
}
