#include "fees/engine/CompetenzeFascola.h"

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
    if (!t || t->size() < 10 || (*t)[4] != '-' || (*t)[7] != '-') return {};
    int numeri[3] = {0, 0, 0};
    const int inizio[3] = {0, 5, 8}, cifre[3] = {4, 2, 2};
    for (int k = 0; k < 3; ++k)
        for (int i = inizio[k]; i < inizio[k] + cifre[k]; ++i) {
            const char ch = (*t)[size_t(i)];
            if (ch < '0' || ch > '9') return {};
            numeri[k] = numeri[k] * 10 + (ch - '0');
        }
    if (t->size() > 10 && (*t)[10] != 'T' && (*t)[10] != ' ') return {};
    return QDate(numeri[0], numeri[1], numeri[2]);
}

Competenza competenzaDaRiga(const db::Statement& st) {
    Competenza c;
    c.letti.reserve(size_t(st.columnCount()));
    for (int i = 0; i < st.columnCount(); ++i) c.letti.push_back(st.column(i));
    const auto testo = [&](Colonna i) { return c.letti[i].textOr(QString()); };
    c.cliente = testo(Cliente);
    c.npra = testo(Npra);
    c.ntask = testo(Ntask);
    c.njob = testo(Njob);
    c.elemento = testo(Elemento);
    c.descrizione = testo(Descrizione);
    // Stored as ISO text; anything else an older tool may have left is read as a typed date.
    c.data = dataIso(c.letti[Data]);
    if (!c.data.isValid()) {
        const QString data = testo(Data);
        c.data = QDate::fromString(data, Qt::ISODate);
        if (!c.data.isValid()) c.data = basic::ToDate(data).value_or(QDate());
    }
    c.importo = c.letti[Importo].currencyOr();
    c.addebitounitario = c.letti[Addebitounitario].currencyOr();
    c.impofat = c.letti[Impofat].currencyOr();
    c.fattore = testo(Fattore);
    c.primanota = c.letti[Primanota].boolOr();
    c.darepn = testo(Darepn);
    c.averepn = testo(Averepn);
    c.idpn = testo(Idpn);
    c.fatturato = c.letti[Fatturato].boolOr();
    c.ricavi = testo(Ricavi);
    c.idfattura = testo(Idfattura);
    c.spuntato = c.letti[Spuntato].boolOr();
    c.pagamento = testo(Pagamento);
    return c;
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

std::vector<Competenza> CompetenzeDellaFascola(db::Database& archivio, const QString& cliente, const QString& npra) {
    std::vector<Competenza> competenze;
    db::Statement st(archivio,
                     "SELECT " + ColonneLette(FormaCompetenze()) +
                         " FROM competenze WHERE cliente = ? AND npra = ? ORDER BY ntask, njob, elemento",
                     {cliente, npra});
    while (st.step()) competenze.push_back(competenzaDaRiga(st));
    return competenze;
}

std::optional<Competenza> LeggiCompetenza(db::Database& archivio, const ChiaveCompetenza& k) {
    db::Statement st(archivio,
                     "SELECT " + ColonneLette(FormaCompetenze()) +
                         " FROM competenze WHERE cliente = ? AND npra = ? AND ntask = ? AND njob = ? AND elemento = ?",
                     {k.cliente, k.npra, k.ntask, k.njob, k.elemento});
    if (!st.step()) return std::nullopt;
    return competenzaDaRiga(st);
}
