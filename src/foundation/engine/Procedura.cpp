#include "foundation/engine/Procedura.h"

#include "foundation/engine/GestioneErrori.h"
#include "platform/db/DbError.h"

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
            case Prosegui: fallita_ = true; return true;
            default: fallita_ = true; abbandonata_ = true; return false;
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
