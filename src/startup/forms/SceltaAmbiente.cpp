#include "startup/forms/SceltaAmbiente.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <vector>

#include "accounting/engine/ArchivioContabile.h"
#include "startup/engine/EsameArchivio.h"
#include "startup/engine/ParametriFatturaArchivio.h"
#include "foundation/engine/Procedura.h"
#include "platform/ui/RefillCombo.h"

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

QString CartellaFattureLocale(const QString& cartella) {
    const QString locale = sys::LocalPath(cartella.trimmed());
    if (locale.isEmpty() || !QDir::isRelativePath(locale)) return locale;
    return QDir(sys::LocalPath(AmbienteLavoro().CartellaAvvio)).filePath(locale);
}

bool CartellaFattureAccettata(const QString& cartella, const QString& titolo, const QString& mancante) {
    const QString testo = cartella.trimmed();
    if (testo.isEmpty() || testo.compare(QLatin1String("NO"), Qt::CaseInsensitive) == 0) return true;
    const QString locale = CartellaFattureLocale(testo);
    const QFileInfo info(locale);
    if (info.isDir()) return true;
    if (info.exists()) {
        ui::MessageService::show("Il percorso " + NomeNelMessaggio(testo) +
                                     " non è una cartella: indicare la cartella delle fatture",
                                 titolo);
        return false;
    }
    const QString domanda =
        (mancante.isEmpty() ? "La cartella delle fatture " + NomeNelMessaggio(testo) + " non esiste" : mancante) +
        ". Si vuole crearla?";
    if (ui::MessageService::show(domanda, titolo, ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return false;
    if (QDir().mkpath(locale)) return true;
    MessaggioCartellaFattureNonCreata(testo, titolo);
    return false;
}

void MessaggioCartellaFattureNonCreata(const QString& cartella, const QString& titolo) {
    ui::MessageService::show("Non è possibile creare la cartella delle fatture " + NomeNelMessaggio(cartella) +
                                 ": indicare una cartella esistente o che si possa creare",
                             titolo);
}

bool ArchivioFascoleAccettato(const QString& percorso, const QString& titolo) {
    EsameArchivio esame = EsaminaArchivio(percorso);
    if (esame.esito == EsameArchivio::Esito::CartellaMancante) {
        const QString domanda = "La cartella " + NomeNelMessaggio(esame.cartella) +
                                " dell'archivio delle fascole non esiste. Si vuole crearla?";
        if (ui::MessageService::show(domanda, titolo, ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
            return false;
        if (!CreaCartellaArchivio(percorso)) {
            ui::MessageService::show("Non è possibile creare la cartella " + NomeNelMessaggio(esame.cartella) +
                                         ": indicare un archivio in una cartella esistente o che si possa creare",
                                     titolo);
            return false;
        }
        esame = EsaminaArchivio(percorso);
    }
    if (esame.esito == EsameArchivio::Esito::Archivio || esame.esito == EsameArchivio::Esito::DaCreare) return true;
    ui::MessageService::show(
        "L'archivio delle fascole " + NomeNelMessaggio(percorso) + " non si può usare: " + esame.motivo, titolo);
    return false;
}

void LasciaEsercizi(QComboBox& esercizi) {
    const QString testo = esercizi.currentText();
    esercizi.clear();
    esercizi.setEditText(testo);
}

void OffriDitte(ui::RefillCombo& ditte, const QString& pathDitte, const QString& descrizione) {
    Procedura proc(descrizione);
    std::vector<ui::ComboRow> righe;
    bool letto = false;
    proc.esegui([&] {
        righe.clear();
        for (const QString& acronimo : AcronimiDitte(pathDitte)) righe.push_back({acronimo, acronimo});
        letto = true;
    });
    if (letto) ditte.setRows(righe);
}

void OffriEsercizi(QComboBox& esercizi, QWidget& ditta, const QString& pathDitte, const QString& acronimo,
                   const QString& titolo) {
    if (acronimo.isEmpty()) {
        ui::MessageService::show("Si deve prima definire la ditta su cui lavorare", titolo);
        ditta.setFocus();
        return;
    }
    Procedura proc("Definizione esercizi selezionabili");
    std::optional<QString> cartellaDitta;
    if (!CartellaDitta(proc, pathDitte, acronimo, cartellaDitta)) return;
    if (!cartellaDitta) {
        ui::MessageService::show("L'acronimo dato non corrisponde a una ditta definita", titolo);
        ditta.setFocus();
        return;
    }
    // A companies list on another computer names that computer's folders.
    if (pathDitte.startsWith("\\\\")) cartellaDitta = sys::NetworkPath(MacchinaDelPercorso(pathDitte), *cartellaDitta);

    const QString testo = esercizi.currentText();
    esercizi.clear();
    esercizi.addItems(EserciziDaArchivi(*cartellaDitta));
    esercizi.setCurrentIndex(-1);
    esercizi.setEditText(testo);
}
