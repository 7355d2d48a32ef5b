#pragma once
#include <QString>
#include <optional>

struct ParametriFatturaRec;

// The numbers of the invoicing parameters that the stamp duty and the withholdings put to
// use, each while its option is ticked, in the order the parameters dialog shows them.
enum class NumeroDeiParametri {
    ImportoBollo,            // the stamp amount (Bollo)
    SogliaBollo,             // the stamp threshold (Bollo)
    RitAccPerc,              // the rate of the withholding on account (RitenutaAcconto)
    RAPercImponibile,        // the share of its base subject to it (RitenutaAcconto)
    AltreRitPerc,            // the rate of the other withholding (AltreRitenute)
    AltreRitPercImponibile,  // the share of its base subject to it (AltreRitenute)
};

// The first number of `p` in use whose text is no number in figures (NumeroInCifre; an empty
// or blank text is none either): the stamp duty or the withholding it belongs to would be
// worked out on a figure the user never typed ("abc" reads 0: no stamp at all).
std::optional<NumeroDeiParametri> PrimoNumeroNonInCifre(const ParametriFatturaRec& p);

// Its text in `p`, as typed and stored.
const QString& TestoDelNumero(const ParametriFatturaRec& p, NumeroDeiParametri numero);

// "Bisogna definire in cifre " and the number as the parameters dialog labels it ("l'importo
// del bollo", "la soglia di applicabilità del bollo"...); the other withholding is named by
// its description in `p` when there is one.
QString RichiestaNumeroInCifre(const ParametriFatturaRec& p, NumeroDeiParametri numero);
