#include "invoice/forms/FascolaInFattura.h"

#include "casefiles/engine/FascolaCorrente.h"

FascolaInFattura FascolaSulTab() {
    const FascolaCorrenteRec& f = FascolaCorrente();
    FascolaInFattura t;
    t.Cliente = f.CodiceClienteCorrente();
    t.Nome = f.CodiceClienteCorrente().isEmpty() ? QString() : f.NomeClienteCorrente();
    t.Npra = f.NpraCorrente();
    t.IvaCee = f.IvaCee();
    return t;
}
