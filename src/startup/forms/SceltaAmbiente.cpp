#include "startup/forms/SceltaAmbiente.h"

#include <QComboBox>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "platform/system/Paths.h"
#include "platform/system/MessageService.h"

QString CartellaIniziale(const QString& attuale) {
    const QString cartella = CartellaDaPercorso(attuale);
    return sys::LocalPath(cartella.isEmpty() ? AmbienteLavoro().CartellaAvvio : cartella);
}

std::optional<QString> ScegliArchivioFascole(const QString& attuale) {
    return ui::MessageService::current().chooseFile({"Scegliere l'archivio di lavoro a cui collegarsi",
                                                     "Archivi (*.mdb) |*.mdb|", 1, ".mdb",
                                                     CartellaIniziale(attuale), false, false});
}

std::optional<QString> ScegliCartellaFatture(const QString& attuale) {
    const auto scelta = ui::MessageService::current().chooseFile(
        {"Scegliere la cartella di memorizzazione delle fatture", "", 0, ".*", CartellaIniziale(attuale), true, false});
    if (!scelta) return std::nullopt;
    return CartellaDaPercorso(*scelta);
}

void LasciaEsercizi(QComboBox& esercizi) {
    const QString testo = esercizi.currentText();
    esercizi.clear();
    esercizi.setEditText(testo);
}
