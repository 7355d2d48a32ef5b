#include "invoice/engine/RigheFattura.h"

#include <algorithm>
#include <stdexcept>

#include "invoice/engine/Importi.h"
#include "platform/db/DbError.h"

namespace {

FatturaInComposizioneRec gFattura;

void fuoriTabella(int indice) {
    throw std::out_of_range("invoice row " + std::to_string(indice) + " does not exist");
}

}  // namespace

RigaFattura& TabellaRigheFattura::riga(int indice) {
    if (!contiene(indice)) fuoriTabella(indice);
    return righe_[size_t(indice - 1)];
}

const RigaFattura& TabellaRigheFattura::riga(int indice) const {
    if (!contiene(indice)) fuoriTabella(indice);
    return righe_[size_t(indice - 1)];
}

Currency ImportoRigaDocumento(Currency impofat) { return AlCentesimo(impofat); }

int TabellaRigheFattura::aggiungi(RigaFattura riga) { return inserisci(NumeroRighe() + 1, std::move(riga)); }

int TabellaRigheFattura::inserisci(int posizione, RigaFattura riga) {
    if (NumeroRighe() >= MassimoRighe) throw db::DbError(6, "Overflow");
    const int p = std::clamp(posizione, 1, NumeroRighe() + 1);
    riga.impofat = ImportoRigaDocumento(riga.impofat);
    righe_.insert(righe_.begin() + (p - 1), std::move(riga));
    return p;
}

bool TabellaRigheFattura::rimuovi(int indice) {
    if (!contiene(indice)) return false;
    righe_.erase(righe_.begin() + (indice - 1));
    return true;
}

QString TestoTipoRiga(TipoRiga tipo) { return QString(QChar::fromLatin1(static_cast<char>(tipo))); }

const RigaVisualizzata& TabellaRigheVisualizzate::riga(int indice) const {
    if (!contiene(indice)) fuoriTabella(indice);
    return righe_[size_t(indice - 1)];
}

RigaFattura* FatturaInComposizioneRec::LineaSelezionata() {
    const int i = RigaSelezionata();
    return i ? &RigheFattura.riga(i) : nullptr;
}

void FatturaInComposizioneRec::AzzeraRighe() {
    RigheFattura.svuota();
    RigheVisualizzate.svuota();
    RigaCorrente = 0;
}

FatturaInComposizioneRec& FatturaInComposizione() { return gFattura; }

void RipristinaFatturaInComposizione() { gFattura = {}; }
