#include "invoice/engine/ImportiDocumento.h"

#include <unordered_map>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/Importi.h"

namespace {

Ritenuta calcolaRitenuta(const TabellaRigheFattura& righe, const QString& descrizione, const QString& criterio,
                         const NumeroParametro& percImponibile, const NumeroParametro& perc) {
    Ritenuta r;
    r.Applicata = true;
    r.Descrizione = descrizione;
    // Each figure from the exact product of those it is made of, as it is printed: the amount
    // is the printed base times the rate.
    r.Imponibile = Currency::productInCents(BaseRitenuta(righe, criterio), percImponibile.valore(), 100);
    r.Importo = Currency::productInCents(r.Imponibile, perc.valore(), 100);
    r.Perc = perc;
    return r;
}

}  // namespace

Currency SommaImponibileGruppo(Currency gruppo, Currency importo) { return AlCentesimo(gruppo + importo); }

const GruppoIva* RiepilogoIva::gruppoDelCodice(const QString& codice) const {
    for (const GruppoIva& g : GruppiIva)
        if (g.Codice == codice) return &g;
    return nullptr;
}

std::optional<RiepilogoIva> CalcoloRiepilogoIva(const TabellaRigheFattura& righe, LettoreAliquoteIva& aliquote) {
    // The rate text is the first thing the summary asks of a code.
    Procedura proc(QStringLiteral("Funzione di definizione aliquota iva"));
    RiepilogoIva r;
    r.ImpostaRighe.reserve(size_t(righe.NumeroRighe()));
    Currency imponibile, iva;
    std::unordered_map<QString, int, HashCodice> gruppoDi;
    for (const RigaFattura& riga : righe) {
        const AliquotaIva* aliquota = aliquote.leggiSenzaCopia(riga.CodiceIva, proc);
        if (!aliquota) return std::nullopt;
        const bool numerica = aliquota->TestoImposta == AliquotaIva::Imposta::Importo;
        const Currency imposta = ImpostaRiga(riga, *aliquota);
        r.ImpostaRighe.push_back(imposta);
        imponibile += riga.impofat;
        iva += imposta;

        const auto trovato = gruppoDi.find(riga.CodiceIva);
        if (trovato == gruppoDi.end()) {
            gruppoDi.emplace(riga.CodiceIva, r.NumeroGruppiIva());
            GruppoIva g;
            g.Codice = riga.CodiceIva;
            g.Imponibile = SommaImponibileGruppo(Currency(), riga.impofat);
            g.Aliquota = aliquota->TestoAliquota;
            g.Imposta = numerica ? imposta : Currency();
            g.ImpostaNumerica = numerica;
            if (!numerica) g.TestoImposta = TestoImpostaRiga(riga, *aliquota);
            g.Percentuale = aliquota->Percentuale;
            g.CodiceSconosciuto = aliquota->Sconosciuto;
            r.GruppiIva.push_back(std::move(g));
            continue;
        }
        GruppoIva& g = r.GruppiIva[size_t(trovato->second)];
        g.Imponibile = SommaImponibileGruppo(g.Imponibile, riga.impofat);
        if (numerica) g.Imposta += imposta;
    }
    r.TotaleImponibile = AlCentesimo(imponibile);
    r.TotaleIva = AlCentesimo(iva);
    r.TotaleDocumento = r.TotaleIva + r.TotaleImponibile;
    return r;
}

Currency BaseRitenuta(const TabellaRigheFattura& righe, const QString& criterio) {
    Currency base;
    for (const RigaFattura& riga : righe) {
        const bool entra = criterio == "1" || (criterio == "2" && (riga.Tipo == "C" || riga.Tipo == "X")) ||
                           (criterio == "3" && riga.Tipo == "X");
        if (entra) base += riga.impofat;
    }
    return base;
}

RitenuteDocumento CalcoloRitenute(const TabellaRigheFattura& righe, const ParametriFatturaRec& p,
                                  Currency totaleDocumento) {
    RitenuteDocumento r;
    r.TotaleDocumento = totaleDocumento;
    if (p.RitenutaAcconto) {
        r.Ritenuta1 = calcolaRitenuta(righe, "Ritenuta di acconto", p.CriterioRA, p.RAPercImponibile, p.RitAccPerc);
        r.TotaleDocumento -= r.Ritenuta1.Importo;
    }
    if (p.AltreRitenute) {
        r.Ritenuta2 = calcolaRitenuta(righe, p.AltreRitTesto, p.AltreRitCriterio, p.AltreRitPercImponibile,
                                      p.AltreRitPerc);
        r.TotaleDocumento -= r.Ritenuta2.Importo;
    }
    return r;
}

namespace {

bool AliquotaZero(const RiepilogoIva& riepilogo, const RigaFattura& riga) {
    const GruppoIva* g = riepilogo.gruppoDelCodice(riga.CodiceIva);
    return g && g->Percentuale.isZero();
}

// A line whose amount enters the stamp base of criteria "2" to "4" (criterion "1" sums the
// groups' taxable texts); under criterion "1" the lines of the zero-rate groups.
bool NellaBaseBollo(const RigaFattura& riga, const RiepilogoIva& riepilogo, const QString& criterio) {
    if (criterio == "1") return AliquotaZero(riepilogo, riga);
    if (criterio == "2") return riga.Tipo != "A" && AliquotaZero(riepilogo, riga);
    if (criterio == "3" || criterio == "4")
        return riepilogo.TotaleIva.isZero() && (criterio == "3" || riga.Tipo != "A");
    return false;
}

}  // namespace

Currency BaseBollo(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo, const QString& criterio) {
    Currency base;
    if (criterio == "1") {
        for (const GruppoIva& g : riepilogo.GruppiIva)
            if (g.Percentuale.isZero()) base += g.Imponibile;
        return base;
    }
    for (const RigaFattura& riga : righe)
        if (NellaBaseBollo(riga, riepilogo, criterio)) base += riga.impofat;
    return base;
}

int RigaDelBollo(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo, const QString& criterio) {
    int primaNellaBase = 0;
    for (int i = 1; i <= righe.NumeroRighe(); ++i) {
        const RigaFattura& riga = righe.riga(i);
        if (!NellaBaseBollo(riga, riepilogo, criterio)) continue;
        if (AliquotaZero(riepilogo, riga)) {
            for (int j = 1; j <= i; ++j)
                if (righe.riga(j).CodiceIva == riga.CodiceIva) return j;
        }
        if (!primaNellaBase) primaNellaBase = i;
    }
    return primaNellaBase;
}

ImpostaBollo CalcoloBollo(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo,
                          const ParametriFatturaRec& p, Currency totaleDocumento) {
    ImpostaBollo b;
    b.TotaleDocumento = totaleDocumento;
    Currency bollo;  // the stamp amount's value when the document bears it
    if (p.Bollo) {
        b.Base = BaseBollo(righe, riepilogo, p.CriterioBollo);
        // A base of nothing bears no stamp, whatever the threshold.
        if (b.Base > Currency() && b.Base >= p.SogliaBollo.valore()) {
            b.BolloDocumento = p.ImportoBollo;
            bollo = AlCentesimo(p.ImportoBollo.valore());
        }
    }
    if (bollo > Currency()) {
        b.Importo = bollo;
        b.TotaleDocumento += bollo;
        b.Riga = RigaDelBollo(righe, riepilogo, p.CriterioBollo);
    }
    return b;
}

ImportiDocumento ComposizioneDocumento(const RiepilogoIva& riepilogo, const TabellaRigheFattura& righe,
                                       const ParametriFatturaRec& parametri) {
    ImportiDocumento d;
    d.Riepilogo = riepilogo;
    d.Ritenute = CalcoloRitenute(righe, parametri, d.Riepilogo.TotaleDocumento);
    d.Bollo = CalcoloBollo(righe, d.Riepilogo, parametri, d.Ritenute.TotaleDocumento);
    d.TotaleDocumento = d.Bollo.TotaleDocumento;
    return d;
}

std::optional<ImportiDocumento> CalcoloImportiDocumento(const TabellaRigheFattura& righe,
                                                        const ParametriFatturaRec& parametri,
                                                        LettoreAliquoteIva& aliquote) {
    const auto riepilogo = CalcoloRiepilogoIva(righe, aliquote);
    if (!riepilogo) return std::nullopt;
    return ComposizioneDocumento(*riepilogo, righe, parametri);
}
