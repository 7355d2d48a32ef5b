#pragma once
// A case file with fee items of every kind to bill, shared by the invoice tab's engine and
// form tests.
//
// Catalogue (VAT codes as rates in percent, which the sample accounting archive also holds):
//   ONO "Onorario"       fee at list price 100      iva 20, EU 0
//   ORE "Ore di lavoro"  fee unit price 12,50        iva 20, EU 4
//   PER "Percentuale"    fee percentage 5            iva 20, EU 20
//   SPE "Spese"          cost typed                  iva 10, EU 10
//   ANT "Anticipazione"  advance typed               iva 0,  EU 0
//   BAS "Base"           cost percentage 10          iva 20, EU 20
// Case file 0001 of the client (open), with task 0001 "Consulenza" (finished), task 0002
// "Perizia" (open) and job 0001 "Sopralluogo" of task 0001; its fee items, by task and job:
//   0000/0000 ANT  29/02/2004   50,00
//   0000/0000 ONO  20/01/2004  100,00
//   0001/0000 ORE  01/03/2004   25,00  (12,50 x 2)
//   0001/0001 SPE  31/03/2004   10,00
//   0002/0000 PER  01/04/2004   10,00  (5 % of 200)
//   0002/0000 ONO  already invoiced
//   0003/0000 ZZZ  05/01/2004    7,00  (a task and an element that no longer exist)
// Case file 0002 (finished) has one fee item, ONO on 10/05/2004 for 100,00.
// Every fee item is credited to the catalogue's revenue account 04.01.01.0001.
#include <QString>

#include "fixtures/CaseFileArchive.h"

namespace fascola_da_fatturare {

inline void riempi(fixtures::CaseFileArchive& a, const QString& cliente) {
    const struct {
        const char* codice;
        const char* descrizione;
        const char* calcolo;
        const char* tipo;
        double importo;
        const char* iva;
        const char* ivacee;
    } elementi[] = {
        {"ONO", "Onorario", "F", "X", 100, "20", "0"},   {"ORE", "Ore di lavoro", "U", "X", 12.5, "20", "4"},
        {"PER", "Percentuale", "P", "X", 5, "20", "20"}, {"SPE", "Spese", "R", "C", 0, "10", "10"},
        {"ANT", "Anticipazione", "R", "A", 0, "0", "0"}, {"BAS", "Base", "P", "C", 10, "20", "20"},
    };
    for (const auto& e : elementi)
        a.addCatalogueItem(e.codice, {{"descrizione", e.descrizione},
                                      {"calcolo", e.calcolo},
                                      {"tipo", e.tipo},
                                      {"importo", e.importo},
                                      {"iva", e.iva},
                                      {"ivacee", e.ivacee},
                                      {"contofat", "04.01.01.0001"},
                                      {"dare", "01.01.01.0001"},
                                      {"avere", "04.01.01.0001"},
                                      {"codicepagamento", "30"}});

    a.addCaseFile(cliente, "0001", "2004-01-10", {{"stato", true}, {"criterio", "M"}});
    a.addCaseFile(cliente, "0002", "2004-05-10", {{"stato", false}, {"criterio", "P"}});
    a.addTask(cliente, "0001", "0001", {{"titolo", "Consulenza"}, {"stato", false}, {"data", "2004-01-12"}});
    a.addTask(cliente, "0001", "0002", {{"titolo", "Perizia"}, {"stato", true}, {"data", "2004-03-05"}});
    a.addJob(cliente, "0001", "0001", "0001", {{"descrizione", "Sopralluogo"}, {"tipo", "L"}});

    const auto voce = [&](const char* npra, const char* ntask, const char* njob, const char* elemento,
                          const char* descrizione, const char* data, double impofat, fixtures::Fields altro = {}) {
        altro.emplace_back("descrizione", descrizione);
        altro.emplace_back("data", data);
        altro.emplace_back("impofat", impofat);
        altro.emplace_back("pagamento", "30");
        altro.emplace_back("ricavi", "04.01.01.0001");
        a.addFeeItem(cliente, npra, ntask, njob, elemento, altro);
    };
    voce("0001", "0000", "0000", "ANT", "Anticipazione diritti", "2004-02-29", 50);
    voce("0001", "0000", "0000", "ONO", "Onorario pratica", "2004-01-20", 100);
    voce("0001", "0001", "0000", "ORE", "Ore di consulenza", "2004-03-01", 25,
         {{"addebitounitario", 12.5}, {"fattore", "2"}, {"darepn", "01.01.01.0001"}});
    voce("0001", "0001", "0001", "SPE", "Spese sopralluogo", "2004-03-31", 10, {{"importo", 10}});
    voce("0001", "0002", "0000", "PER", "Percentuale su stima", "2004-04-01", 10,
         {{"importo", 200}, {"fattore", "5"}});
    voce("0001", "0002", "0000", "ONO", "Onorario fatturato", "2004-04-02", 100,
         {{"fatturato", true}, {"idfattura", "00010403010001"}});
    voce("0001", "0003", "0000", "ZZZ", "Voce fuori catalogo", "2004-01-05", 7);
    voce("0002", "0000", "0000", "ONO", "Onorario seconda pratica", "2004-05-10", 100);
}

}  // namespace fascola_da_fatturare
