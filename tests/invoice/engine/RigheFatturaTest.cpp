#include "invoice/engine/RigheFattura.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "invoice/engine/FatturaDiProva.h"
#include "platform/db/DbError.h"

namespace {

using fattura_di_prova::riga;

QStringList elementi(const TabellaRigheFattura& t) {
    QStringList e;
    for (int i = 1; i <= t.NumeroRighe(); ++i) e << t.riga(i).elemento;
    return e;
}

RigaFattura elemento(const QString& codice) {
    RigaFattura r;
    r.elemento = codice;
    return r;
}

TEST(TabellaRigheFattura, LinesAreNumberedFromOneAndMoveWholeWhenInsertedOrRemoved) {
    TabellaRigheFattura t;
    EXPECT_EQ(t.aggiungi(elemento("A")), 1);
    EXPECT_EQ(t.aggiungi(elemento("C")), 2);
    EXPECT_EQ(t.inserisci(2, elemento("B")), 2);
    EXPECT_EQ(elementi(t), (QStringList{"A", "B", "C"}));
    // Before the first line counts as the first place, past the end as an append.
    EXPECT_EQ(t.inserisci(0, elemento("0")), 1);
    EXPECT_EQ(t.inserisci(99, elemento("Z")), 5);
    EXPECT_EQ(elementi(t), (QStringList{"0", "A", "B", "C", "Z"}));

    RigaFattura fissata = riga("E15", "10,00");
    fissata.elemento = "F";
    fissata.IvaBloccata = true;
    t.inserisci(3, fissata);
    EXPECT_TRUE(t.riga(3).IvaBloccata);
    EXPECT_FALSE(t.riga(4).IvaBloccata);
    EXPECT_EQ(t.riga(3).CodiceIva, "E15");

    EXPECT_TRUE(t.rimuovi(3));
    EXPECT_TRUE(t.rimuovi(1));
    EXPECT_FALSE(t.rimuovi(0));
    EXPECT_FALSE(t.rimuovi(5));
    EXPECT_EQ(elementi(t), (QStringList{"A", "B", "C", "Z"}));
    EXPECT_THROW(t.riga(0), std::out_of_range);
    EXPECT_THROW(t.riga(5), std::out_of_range);
}

TEST(TabellaRigheFattura, AFullTableRefusesOneMoreLineWithTheOverflowError) {
    TabellaRigheFattura t;
    for (int i = 0; i < TabellaRigheFattura::MassimoRighe; ++i) t.aggiungi({});
    try {
        t.aggiungi({});
        FAIL() << "no overflow";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, 6);
    }
    EXPECT_EQ(t.NumeroRighe(), TabellaRigheFattura::MassimoRighe);
}

TEST(FatturaInComposizione, EmptyingTheTablesLeavesNoLineSelected) {
    RipristinaFatturaInComposizione();
    FatturaInComposizioneRec& f = FatturaInComposizione();
    f.RigheFattura.aggiungi(elemento("A"));
    f.RigheFattura.aggiungi(elemento("B"));
    f.RigheVisualizzate.aggiungi({TipoRiga::Incarico, "FASCOLA 0001", 1});
    f.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, 1});
    f.RigaFatturaInCorso.CodiceIva = "20";
    f.RigaCorrente = 2;
    ASSERT_EQ(f.LineaSelezionata(), &f.RigheFattura.riga(2));

    f.AzzeraRighe();
    EXPECT_EQ(f.RigheFattura.NumeroRighe(), 0);
    EXPECT_EQ(f.RigheVisualizzate.NumeroRigheVisualizzate(), 0);
    EXPECT_EQ(f.RigaCorrente, 0);
    EXPECT_EQ(f.LineaSelezionata(), nullptr);
    EXPECT_EQ(f.RigaFatturaInCorso.CodiceIva, "20");  // the line being prepared is not the table's

    RipristinaFatturaInComposizione();
    EXPECT_TRUE(FatturaInComposizione().RigaFatturaInCorso.CodiceIva.isEmpty());
}

TEST(FatturaInComposizione, ASelectionOutsideTheTableIsNoLine) {
    FatturaInComposizioneRec f;
    f.RigheFattura.aggiungi(elemento("A"));
    for (int fuori : {0, -1, 2, 40}) {
        f.RigaCorrente = fuori;
        EXPECT_EQ(f.RigaSelezionata(), 0) << fuori;
        EXPECT_EQ(f.LineaSelezionata(), nullptr) << fuori;
    }
    f.RigaCorrente = 1;
    EXPECT_EQ(f.RigaSelezionata(), 1);
}

TEST(TabellaRigheVisualizzate, RowsCarryTheirKindLetterAndLine) {
    TabellaRigheVisualizzate v;
    v.aggiungi({TipoRiga::Incarico, "Perizia", 1});
    v.aggiungi({TipoRiga::Lavorazione, " ", 1});
    v.aggiungi({TipoRiga::Elemento, {}, 1});
    ASSERT_EQ(v.NumeroRigheVisualizzate(), 3);
    QString lettere;
    for (int r = 1; r <= 3; ++r) lettere += TestoTipoRiga(v.riga(r).Tipo);
    EXPECT_EQ(lettere, "ILE");
    EXPECT_EQ(v.riga(1).Testo, "Perizia");
    EXPECT_THROW(v.riga(4), std::out_of_range);
}

}  // namespace
