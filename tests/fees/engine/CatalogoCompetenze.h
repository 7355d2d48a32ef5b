#pragma once
// A catalogue with an element of every calculation mode and kind, and a case file to charge
// them to, shared by the fee-item engine and form tests.
//
//   ONO "Onorario"             fee at list price 100
//   ORE "Ore di lavoro"        fee at a unit price of 12
//   PER "Percentuale"          fee at 5 % of a taxable base
//   RIC "Onorario a richiesta" fee typed when charged
//   SPE "Spese"                cost typed
//   BAS "Costo maggiorato"     cost at 10 %
//   ANT "Anticipazione"        advance typed
//   MIS "Misto"                "F" with "C": no layout names the pair
// Every element: debit 01.01.01.0001, credit 04.01.01.0001, revenue 04.01.01.0002, payment
// "30", paid on its own terms. The client's case file 0001 (opened 10/01/2004) with task 0001
// "Consulenza" and its job 0001 "Sopralluogo"; the client itself is the caller's.
#include <QString>

#include "fixtures/CaseFileArchive.h"

namespace catalogo_competenze {

inline void riempi(fixtures::CaseFileArchive& a, const QString& cliente = "R01") {
    const struct {
        const char* codice;
        const char* descrizione;
        const char* calcolo;
        const char* tipo;
        double importo;
    } elementi[] = {
        {"ONO", "Onorario", "F", "X", 100},  {"ORE", "Ore di lavoro", "U", "X", 12},
        {"PER", "Percentuale", "P", "X", 5}, {"RIC", "Onorario a richiesta", "R", "X", 0},
        {"SPE", "Spese", "R", "C", 0},       {"BAS", "Costo maggiorato", "P", "C", 10},
        {"ANT", "Anticipazione", "R", "A", 0}, {"MIS", "Misto", "F", "C", 3},
    };
    for (const auto& e : elementi)
        a.addCatalogueItem(e.codice, {{"descrizione", e.descrizione},
                                      {"calcolo", e.calcolo},
                                      {"tipo", e.tipo},
                                      {"importo", e.importo},
                                      {"iva", "20"},
                                      {"ivacee", "0"},
                                      {"dare", "01.01.01.0001"},
                                      {"avere", "04.01.01.0001"},
                                      {"contofat", "04.01.01.0002"},
                                      {"pagamento", false},
                                      {"codicepagamento", "30"}});
    a.addCaseFile(cliente, "0001", "2004-01-10", {{"stato", true}, {"criterio", "V"}});
    a.addTask(cliente, "0001", "0001", {{"titolo", "Consulenza"}, {"stato", true}, {"data", "2004-01-12"}});
    a.addJob(cliente, "0001", "0001", "0001", {{"descrizione", "Sopralluogo"}, {"tipo", "L"}});
}

}  // namespace catalogo_competenze
