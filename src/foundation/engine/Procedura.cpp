#include "foundation/engine/Procedura.h"

#include "foundation/engine/GestioneErrori.h"
#include "platform/db/DbError.h"

namespace {
// The innermost operation under way; each one knows the one around it. One thread only.
OperazioneIndivisibile* gOperazione = nullptr;
}  // namespace

OperazioneIndivisibile::OperazioneIndivisibile() : esterna_(gOperazione) { gOperazione = this; }

OperazioneIndivisibile::~OperazioneIndivisibile() { gOperazione = esterna_; }

bool OperazioneIndivisibile::inCorso() { return gOperazione != nullptr; }

void OperazioneIndivisibile::interrompiTutte() {
    for (OperazioneIndivisibile* o = gOperazione; o; o = o->esterna_) o->interrotta_ = true;
}

void Procedura::abbandona() {
    fallita_ = true;
    abbandonata_ = true;
    OperazioneIndivisibile::interrompiTutte();
}

bool Procedura::esegui(const std::function<void()>& istruzione) {
    if (abbandonata_) return false;
    bool inAttesa = false;
    for (;;) {
        try {
            istruzione();
            if (inAttesa) FineAttesaBlocco(descrizione_);
            return true;
        } catch (const db::DbError& e) {
            inAttesa = inAttesa || db::err::isLockConflict(e.number);
            switch (GestioneErrori(e.number, QString::fromStdString(e.source),
                                   QString::fromStdString(e.description), descrizione_)) {
            case Riprova: continue;
            case Prosegui:
                // Half an all-or-nothing operation is worth less than none of it.
                if (OperazioneIndivisibile::inCorso()) {
                    abbandona();
                    return false;
                }
                fallita_ = true;
                return true;
            default: abbandona(); return false;
            }
        }
    }
}

bool Procedura::essenziale(const std::function<void()>& istruzione) {
    bool eseguita = false;
    esegui([&] {
        istruzione();
        eseguita = true;
    });
    return eseguita;
}
