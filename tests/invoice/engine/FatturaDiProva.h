#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <stdexcept>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/GestioneErrori.h"
#include "invoice/engine/RigheFattura.h"
#include "platform/system/Paths.h"
#include "platform/system/Currency.h"
#include "support/TempDir.h"

namespace fattura_di_prova {

// "123,45" as money.
inline Currency euro(const char* testo) {
    const auto c = Currency::parse(testo, ',');
    if (!c) throw std::invalid_argument(testo);
    return *c;
}

inline RigaFattura riga(const QString& codiceIva, const char* impofat, const QString& tipo = "X") {
    RigaFattura r;
    r.cliente = "01.01.01.0001";
    r.npra = "0001";
    r.ntask = "0000";
    r.njob = "0000";
    r.elemento = "ONO";
    r.Tipo = tipo;
    r.CodiceIva = codiceIva;
    r.impofat = euro(impofat);
    return r;
}

inline TabellaRigheFattura tabella(std::initializer_list<RigaFattura> righe) {
    TabellaRigheFattura t;
    for (const RigaFattura& r : righe) t.aggiungi(r);
    return t;
}

// A case-file archive as the session of a linked installation: the sample accounting
// archive ATTACHed as "contabile", whose VAT codes (`aliquota` is the rate times 100, as the
// accounting package stores it) are 20 (20 %), 10 (10 %), 4 (4 %), E15 and N8 (0 %, exempt),
// with 125 (12,5 %) added here.
// Payment codes are the sample's: RD (0 days), R30 (30), R60 (30), B90 (90).
class SessioneCollegata : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
        pathContabile = contab.creaCampione();
        sessione().execute("ATTACH DATABASE ? AS contabile", {sys::LocalPath(pathContabile)});
        aggiungiCodiceIva("125", "Aliquota 12,5%", 1250);
    }
    void TearDown() override {
        RipristinaAmbiente();
        RipristinaAttesaBlocco();
    }

    db::Database& sessione() { return fascole.db(); }
    void aggiungiCodiceIva(const QString& codice, const QString& descrizione, int aliquota) {
        sessione().execute("INSERT INTO contabile.ivacodici (codice, descrizione, aliquota) VALUES (?, ?, ?)",
                           {codice, descrizione, aliquota});
    }

    TempDir dir;
    fixtures::CaseFileArchive fascole{dir.file("fascole.mdb")};
    AccountingFixture contab{dir.path()};
    QString pathContabile;
};

}  // namespace fattura_di_prova
