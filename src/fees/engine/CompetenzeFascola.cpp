#include "fees/engine/CompetenzeFascola.h"

#include "platform/db/Database.h"

namespace {

enum Colonna {
    Cliente, Npra, Ntask, Njob, Elemento, Descrizione, Data, Importo, Impofat, Primanota, Darepn, Averepn, Idpn,
    Fatturato, Ricavi, Idfattura, Spuntato, Pagamento, Addebitounitario, Fattore
};

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
    while (st.step()) {
        Competenza c;
        for (int i = 0; i < st.columnCount(); ++i) c.letti.push_back(st.column(i));
        c.ntask = c.letti[Ntask].textOr(QString());
        c.njob = c.letti[Njob].textOr(QString());
        c.elemento = c.letti[Elemento].textOr(QString());
        c.importo = c.letti[Importo].currencyOr();
        c.addebitounitario = c.letti[Addebitounitario].currencyOr();
        c.impofat = c.letti[Impofat].currencyOr();
        c.fattore = c.letti[Fattore].textOr(QString());
        c.fatturato = c.letti[Fatturato].boolOr();
        c.primanota = c.letti[Primanota].boolOr();
        competenze.push_back(std::move(c));
    }
    return competenze;
}
