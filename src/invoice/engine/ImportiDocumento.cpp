#include "invoice/engine/ImportiDocumento.h"

#include <QHash>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/Importi.h"
#include "platform/system/BasicRuntime.h"

namespace {

QString esteso(Currency importo) { return basic::Format(importo, MascheraImportoEsteso); }

Ritenuta calcolaRitenuta(const TabellaRigheFattura& righe, const QString& descrizione, const QString& criterio,
                         const QString& percImponibile, const QString& perc) {
    Ritenuta r;
    r.Applicata = true;
    r.Descrizione = descrizione;
    r.ImponibileValore = PercentualeDi(BaseRitenuta(righe, criterio), NumeroDaTesto(percImponibile));
    r.ImportoValore = PercentualeDi(r.ImponibileValore, NumeroDaTesto(perc));
    r.Imponibile = esteso(r.ImponibileValore);
    r.Perc = perc;
    r.Importo = esteso(r.ImportoValore);
    return r;
}

}  // namespace

const GruppoIva* RiepilogoIva::gruppoDelCodice(const QString& codice) const {
    for (const GruppoIva& g : GruppiIva)
        if (g.Codice == codice) return &g;
    return nullptr;
}

std::optional<RiepilogoIva> CalcoloRiepilogoIva(const TabellaRigheFattura& righe, LettoreAliquoteIva& aliquote) {
    // The rate text is the first thing the summary asks of a code.
    Procedura proc("Funzione di definizione aliquota iva");
    RiepilogoIva r;
    Currency imponibile, iva;
    QHash<QString, int> gruppoDi;
    for (const RigaFattura& riga : righe) {
        const auto aliquota = aliquote.leggi(riga.CodiceIva, proc);
        if (!aliquota) return std::nullopt;
        const bool numerica = aliquota->TestoImposta == AliquotaIva::Imposta::Importo;
        const Currency imposta = ImpostaRiga(riga, *aliquota);
        const QString testoImposta = TestoImpostaRiga(riga, *aliquota);
        imponibile += riga.Impofat;
        iva += imposta;

        const auto trovato = gruppoDi.constFind(riga.CodiceIva);
        if (trovato == gruppoDi.cend()) {
            gruppoDi.insert(riga.CodiceIva, r.NumeroGruppiIva());
            GruppoIva g;
            g.Codice = riga.CodiceIva;
            g.Imponibile = esteso(riga.Impofat);
            g.Aliquota = aliquota->TestoAliquota;
            g.Imposta = testoImposta;
            g.ImpostaValore = numerica ? imposta : Currency();
            g.Percentuale = aliquota->Percentuale;
            g.ImpostaNumerica = numerica;
            g.CodiceSconosciuto = aliquota->Sconosciuto;
            r.GruppiIva.push_back(std::move(g));
            continue;
        }
        GruppoIva& g = r.GruppiIva[size_t(*trovato)];
        g.Imponibile = esteso(ImportoRiletto(g.Imponibile) + riga.Impofat);
        if (numerica) {
            if (g.ImpostaNumerica) g.Imposta = esteso(ImportoRiletto(testoImposta) + ImportoRiletto(g.Imposta));
            g.ImpostaValore += imposta;
        }
    }
    r.TestoTotale = esteso(imponibile);
    r.TestoIva = esteso(iva);
    r.TotaleIva = ImportoRiletto(r.TestoIva);
    r.TotaleDocumento = r.TotaleIva + ImportoRiletto(r.TestoTotale);
    return r;
}

Currency BaseRitenuta(const TabellaRigheFattura& righe, const QString& criterio) {
    Currency base;
    for (const RigaFattura& riga : righe) {
        const bool entra = criterio == "1" || (criterio == "2" && (riga.Tipo == "C" || riga.Tipo == "X")) ||
                           (criterio == "3" && riga.Tipo == "X");
        if (entra) base += riga.Impofat;
    }
    return base;
}

RitenuteDocumento CalcoloRitenute(const TabellaRigheFattura& righe, const ParametriFatturaRec& p,
                                  Currency totaleDocumento) {
    RitenuteDocumento r;
    r.TotaleDocumento = totaleDocumento;
    if (p.RitenutaAcconto) {
        r.Ritenuta1 = calcolaRitenuta(righe, "Ritenuta di acconto", p.CriterioRA, p.RAPercImponibile, p.RitAccPerc);
        r.TotaleDocumento -= r.Ritenuta1.ImportoValore;
    }
    if (p.AltreRitenute) {
        r.Ritenuta2 = calcolaRitenuta(righe, p.AltreRitTesto, p.AltreRitCriterio, p.AltreRitPercImponibile,
                                      p.AltreRitPerc);
        r.TotaleDocumento -= r.Ritenuta2.ImportoValore;
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
            if (g.Percentuale.isZero()) base += ImportoRiletto(g.Imponibile);
        return base;
    }
    for (const RigaFattura& riga : righe)
        if (NellaBaseBollo(riga, riepilogo, criterio)) base += riga.Impofat;
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
    if (p.Bollo) {
        b.Base = BaseBollo(righe, riepilogo, p.CriterioBollo);
        // A base of nothing bears no stamp, whatever the threshold.
        if (b.Base > Currency() && b.Base >= NumeroDaTesto(p.SogliaBollo)) b.BolloDocumento = p.ImportoBollo;
    }
    const Currency bollo = NumeroDaTesto(b.BolloDocumento);
    if (bollo > Currency()) {
        b.Importo = bollo;
        b.TotaleDocumento += bollo;
        b.Riga = RigaDelBollo(righe, riepilogo, p.CriterioBollo);
    }
    return b;
}

std::optional<ImportiDocumento> CalcoloImportiDocumento(const TabellaRigheFattura& righe,
                                                        const ParametriFatturaRec& parametri,
                                                        LettoreAliquoteIva& aliquote) {
    auto riepilogo = CalcoloRiepilogoIva(righe, aliquote);
    if (!riepilogo) return std::nullopt;
    ImportiDocumento d;
    d.Riepilogo = std::move(*riepilogo);
    d.Ritenute = CalcoloRitenute(righe, parametri, d.Riepilogo.TotaleDocumento);
    d.Bollo = CalcoloBollo(righe, d.Riepilogo, parametri, d.Ritenute.TotaleDocumento);
    d.TotaleDocumento = d.Bollo.TotaleDocumento;
    return d;
}
