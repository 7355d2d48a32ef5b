#include "foundation/engine/NumeriDeiParametri.h"

#include <iterator>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "platform/system/BasicRuntime.h"

namespace {

// Each number with the option that puts it to use, in the order of NumeroDeiParametri.
struct Voce {
    bool ParametriFatturaRec::*opzione;
    NumeroParametro ParametriFatturaRec::*testo;
};

using P = ParametriFatturaRec;
const Voce Voci[] = {
    {&P::Bollo, &P::ImportoBollo},           {&P::Bollo, &P::SogliaBollo},
    {&P::RitenutaAcconto, &P::RitAccPerc},   {&P::RitenutaAcconto, &P::RAPercImponibile},
    {&P::AltreRitenute, &P::AltreRitPerc},   {&P::AltreRitenute, &P::AltreRitPercImponibile},
};

// The other withholding as the user named it, or as the dialog's frame calls it.
QString AltraRitenuta(const ParametriFatturaRec& p, const QString& conArticolo, const QString& senzaNome) {
    const QString descrizione = basic::Trim(p.AltreRitTesto);
    return descrizione.isEmpty() ? senzaNome : conArticolo + " «" + descrizione + "»";
}

QString NomeDelNumero(const ParametriFatturaRec& p, NumeroDeiParametri numero) {
    switch (numero) {
    case NumeroDeiParametri::ImportoBollo: return "l'importo del bollo";
    case NumeroDeiParametri::SogliaBollo: return "la soglia di applicabilità del bollo";
    case NumeroDeiParametri::RitAccPerc: return "la percentuale della ritenuta di acconto";
    case NumeroDeiParametri::RAPercImponibile:
        return "la percentuale dell'imponibile soggetta alla ritenuta di acconto";
    case NumeroDeiParametri::AltreRitPerc:
        return "la percentuale " + AltraRitenuta(p, "della ritenuta", "delle altre ritenute");
    case NumeroDeiParametri::AltreRitPercImponibile:
        return "la percentuale dell'imponibile soggetta " + AltraRitenuta(p, "alla ritenuta", "alle altre ritenute");
    }
    return {};
}

}  // namespace

std::optional<NumeroDeiParametri> PrimoNumeroNonInCifre(const ParametriFatturaRec& p) {
    for (size_t i = 0; i < std::size(Voci); ++i)
        if (p.*Voci[i].opzione && !NumeroInCifre(p.*Voci[i].testo)) return NumeroDeiParametri(i);
    return std::nullopt;
}

const QString& TestoDelNumero(const ParametriFatturaRec& p, NumeroDeiParametri numero) {
    return (p.*Voci[size_t(numero)].testo).testo();
}

QString RichiestaNumeroInCifre(const ParametriFatturaRec& p, NumeroDeiParametri numero) {
    return "Bisogna definire in cifre " + NomeDelNumero(p, numero);
}
