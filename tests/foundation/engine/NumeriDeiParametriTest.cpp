#include "foundation/engine/NumeriDeiParametri.h"

#include <gtest/gtest.h>

#include <functional>

#include "foundation/engine/Ambiente.h"

namespace {

using N = NumeroDeiParametri;

// The parameters with the stamp duty and both withholdings ticked on numbers in figures.
ParametriFatturaRec TuttiInCifre() {
    ParametriFatturaRec p;
    p.Bollo = p.RitenutaAcconto = p.AltreRitenute = true;
    p.ImportoBollo = "€ 2,00";
    p.SogliaBollo = "1.000";
    p.RitAccPerc = "20";
    p.RAPercImponibile = " 100 ";
    p.AltreRitPerc = "12.5";
    p.AltreRitPercImponibile = "50";
    return p;
}

// Only a number whose option is ticked is looked at; the first of them in the dialog's order
// is the one named, with its text as stored.
TEST(PrimoNumeroNonInCifre, LooksAtTheNumbersOfTheOptionsTickedInTheDialogsOrder) {
    const struct {
        const char* nome;
        std::function<void(ParametriFatturaRec&)> cambia;
        std::optional<N> atteso;
        const char* testo;
    } casi[] = {
        {"every number in figures", [](auto&) {}, std::nullopt, ""},
        {"the stamp amount", [](auto& p) { p.ImportoBollo = "abc"; }, N::ImportoBollo, "abc"},
        {"the stamp amount, stamp not ticked",
         [](auto& p) {
             p.ImportoBollo = "abc";
             p.Bollo = false;
         },
         std::nullopt, ""},
        {"the threshold and the rate", [](auto& p) { p.SogliaBollo = "xyz", p.RitAccPerc = "venti"; }, N::SogliaBollo,
         "xyz"},
        {"the rate, empty", [](auto& p) { p.RitAccPerc = ""; }, N::RitAccPerc, ""},
        {"the share of the base, blank", [](auto& p) { p.RAPercImponibile = "   "; }, N::RAPercImponibile, "   "},
        {"the other rate", [](auto& p) { p.AltreRitPerc = "20%"; }, N::AltreRitPerc, "20%"},
        {"the other share, a letter O", [](auto& p) { p.AltreRitPercImponibile = "1.2OO,00"; },
         N::AltreRitPercImponibile, "1.2OO,00"},
        {"the other share, other withholding not ticked",
         [](auto& p) {
             p.AltreRitPercImponibile = "1.2OO,00";
             p.AltreRitenute = false;
         },
         std::nullopt, ""},
        {"nothing ticked: the defaults of a new archive", [](auto& p) { p = ParametriFatturaRec(); }, std::nullopt,
         ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ParametriFatturaRec p = TuttiInCifre();
        c.cambia(p);
        const auto numero = PrimoNumeroNonInCifre(p);
        EXPECT_EQ(numero, c.atteso);
        if (numero) {
            EXPECT_EQ(TestoDelNumero(p, *numero), c.testo);
        }
    }
}

}  // namespace
