#include "fees/engine/VerificaElemento.h"

#include "fees/engine/CalcoloCompetenza.h"
#include "fees/engine/CatalogoContabile.h"
#include "foundation/engine/Generale.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"

namespace {

// A number in figures that also fits an amount: a text of thirty digits is a number in
// figures but no money the archive can hold.
bool importoNumerico(const QString& testo) {
    try {
        return ValoreInCifre(testo).has_value();
    } catch (const db::DbError&) {
        return false;
    }
}

}  // namespace

std::optional<RifiutoElemento> VerificaElemento(const CampiElemento& c, bool collegato) {
    using enum CampoElemento;
    if (c.codice.isEmpty()) return RifiutoElemento{Codice, "Definire il codice elemento"};
    if (c.descrizione.isEmpty()) return RifiutoElemento{Descrizione, "Inserire una descrizione per l'elemento"};
    if (c.calcolo.isEmpty()) return RifiutoElemento{Calcolo, "Indicare la modalità di calcolo da usare"};
    if (c.importo.isEmpty()) return RifiutoElemento{Importo, "Inserire un valore di calcolo per l'elemento"};
    if (!importoNumerico(c.importo))
        return RifiutoElemento{Importo, "Il campo importo può contenere solo valori numerici"};
    if (LetturaDiImporto(c.importo) == LetturaImporto::FuoriMisura)
        return RifiutoElemento{Importo, MessaggioImportoFuoriMisura};
    if (c.arrotonda.isEmpty())
        return RifiutoElemento{Arrotonda, "Inserire un valore di arrotondamento per l'elemento"};
    if (!importoNumerico(c.arrotonda))
        return RifiutoElemento{Arrotonda, "Il campo arrotondamento può contenere solo valori numerici"};
    if (collegato) {
        if (c.iva.isEmpty()) return RifiutoElemento{Iva, "Inserire il codice iva da applicare all'elemento"};
        if (c.ivacee.isEmpty())
            return RifiutoElemento{IvaCee, "Inserire il codice iva da applicare all'elemento per operazioni Cee"};
    } else {
        if (c.iva.isEmpty()) return RifiutoElemento{Iva, "Inserire l'aliquota iva da applicare all'elemento"};
        if (!basic::IsNumeric(c.iva)) return RifiutoElemento{Iva, "Il campo iva può contenere solo valori numerici"};
        if (!AliquotaDigitataAmmessa(c.iva)) return RifiutoElemento{Iva, MessaggioAliquotaNonAmmessa};
        if (c.ivacee.isEmpty())
            return RifiutoElemento{IvaCee, "Inserire l'aliquota iva Cee da applicare all'elemento"};
        if (!basic::IsNumeric(c.ivacee))
            return RifiutoElemento{IvaCee, "Il campo iva Cee può contenere solo valori numerici"};
        if (!AliquotaDigitataAmmessa(c.ivacee))
            return RifiutoElemento{IvaCee, "l'aliquota iva Cee va espressa in valore percentuale positivo <100"};
    }
    if (c.tipo.isEmpty()) return RifiutoElemento{Tipo, "Definire il tipo di elemento"};
    if (collegato) {
        // The row stores the codes: a box holding a text that named no account has none.
        const auto senzaConto = [](const QString& testo, const QString& codice) {
            return testo.isEmpty() || codice.isEmpty();
        };
        if (senzaConto(c.contofat, c.lblContofat))
            return RifiutoElemento{Contofat, "definire un codice per la contabilizzazione delle fatture"};
        if (senzaConto(c.dare, c.lblDare))
            return RifiutoElemento{Dare, "definire il codice in dare per la generazione della prima nota"};
        if (senzaConto(c.avere, c.lblAvere))
            return RifiutoElemento{Avere, "definire il codice in avere per la generazione della prima nota"};
    }
    return std::nullopt;
}

ElementoDaFatturare ElementoDaiCampi(const CampiElemento& c, bool collegato) {
    ElementoDaFatturare e;
    e.codice = c.codice;
    e.descrizione = c.descrizione;
    e.accoda = c.accoda;
    e.calcolo = c.calcolo;
    // Both read as every amount box reads its figures: "0.50" is fifty cents.
    e.importo = ImportoDelBox(c.importo);
    e.arrotonda = ImportoDelBox(c.arrotonda);
    if (collegato) {
        e.iva = CodiceDaDidascaliaIva(c.lblIva);
        e.ivacee = CodiceDaDidascaliaIva(c.lblIvacee);
        e.contofat = c.lblContofat;
        e.dare = c.lblDare;
        e.avere = c.lblAvere;
    } else {
        // The labels then only say that there is no link: no account to store.
        e.iva = c.iva;
        e.ivacee = c.ivacee;
    }
    e.tipo = c.tipo;
    e.pagamento = c.pagaCli;
    e.codicepagamento = c.pagaCli ? PagamentoDelCliente : c.lblCodicePagamento;
    return e;
}

QString TestoImportoElemento(const Currency& importo) {
    return QString::fromStdString(importo.toPlainString()).replace('.', ',');
}
