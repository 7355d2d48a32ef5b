#include "foundation/engine/NumeriDeiParametri.h"

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "platform/system/BasicRuntime.h"

namespace {

struct Voce {
    NumeroDeiParametri numero;
    bool ParametriFatturaRec::*opzione;
    NumeroParametro ParametriFatturaRec::*testo;
};

const Voce Voci[] = {
    {NumeroDeiParametri::ImportoBollo, &ParametriFatturaRec::Bollo, &ParametriFatturaRec::ImportoBollo},
    {NumeroDeiParametri::SogliaBollo, &ParametriFatturaRec::Bollo, &ParametriFatturaRec::SogliaBollo},
    {NumeroDeiParametri::RitAccPerc, &ParametriFatturaRec::RitenutaAcconto, &ParametriFatturaRec::RitAccPerc},
    {NumeroDeiParametri::RAPercImponibile, &ParametriFatturaRec::RitenutaAcconto,
     &ParametriFatturaRec::RAPercImponibile},
    {NumeroDeiParametri::AltreRitPerc, &ParametriFatturaRec::AltreRitenute, &ParametriFatturaRec::AltreRitPerc},
    {NumeroDeiParametri::AltreRitPercImponibile, &ParametriFatturaRec::AltreRitenute,
     &ParametriFatturaRec::AltreRitPercImponibile},
};

const Voce& VoceDi(NumeroDeiParametri numero) {
    for (const Voce& v : Voci)
        if (v.numero == numero) return v;
    return Voci[0];
}

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
    for (const Voce& v : Voci)
        if (p.*v.opzione && !NumeroInCifre(p.*v.testo)) return v.numero;
    return std::nullopt;
}

const QString& TestoDelNumero(const ParametriFatturaRec& p, NumeroDeiParametri numero) {
    return (p.*VoceDi(numero).testo).testo();
}

QString RichiestaNumeroInCifre(const ParametriFatturaRec& p, NumeroDeiParametri numero) {
    return "Bisogna definire in cifre " + NomeDelNumero(p, numero);
}
