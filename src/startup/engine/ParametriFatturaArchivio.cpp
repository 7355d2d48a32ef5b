#include "startup/engine/ParametriFatturaArchivio.h"

#include <QDir>
#include <functional>
#include <memory>
#include <vector>

#include "accounting/engine/ArchivioContabile.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "foundation/engine/Richiesto.h"

QStringList EserciziDaArchivi(const QString& cartellaDitta) {
    const QStringList nomi = QDir(sys::LocalPath(cartellaDitta))
                                 .entryList({"*.mdb"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    QStringList esercizi;
    for (const QString& nome : nomi) {
        const QString anno = nome.mid(6, 4);
        if (anno.isEmpty() || anno == "filc" || esercizi.contains(anno)) continue;
        esercizi << anno;
    }
    return esercizi;
}

bool CartellaDitta(Procedura& proc, const QString& pathDitte, const QString& acronimo,
                   std::optional<QString>& cartella) {
    std::optional<DittaContabile> ditta;
    if (!proc.esegui([&] { ditta = LeggiDitta(pathDitte, acronimo); })) return false;
    if (ditta) cartella = ditta->cartella;
    return true;
}

bool MemorizzaParametriFattura(db::Database& archivio, Procedura& proc, const ParametriFatturaRec& p) {
    std::unique_ptr<db::Recordset> riga;

    const std::vector<std::pair<const char*, db::Value>> colonne = {
        {"DettaglioFascola", p.DettaglioFascola},
        {"registrazione", p.Registrazione},
        {"ditta", p.Ditta},
        {"Esercizio", p.Esercizio},
        {"registroiva", p.RegistroIva},
        {"numerazioneautomatica", p.NumerazioneAutomatica},
        {"Bollo", p.Bollo},
        {"importobollo", p.ImportoBollo.testo()},
        {"sogliabollo", p.SogliaBollo.testo()},
        {"criteriobollo", p.CriterioBollo},
        {"ritenutaacconto", p.RitenutaAcconto},
        {"ritaccperc", p.RitAccPerc.testo()},
        {"rapercimponibile", p.RAPercImponibile.testo()},
        {"criteriora", p.CriterioRA},
        {"altreritenute", p.AltreRitenute},
        {"altreritperc", p.AltreRitPerc.testo()},
        {"altreritpercimponibile", p.AltreRitPercImponibile.testo()},
        {"altreritcriterio", p.AltreRitCriterio},
        {"altrerittesto", p.AltreRitTesto},
        {"memorizzafattura", p.MemorizzaFattura},
        {"anteprimastampa", p.AnteprimaStampa},
        {"RigaTestata1", p.RigaTestata1},
        {"RigaTestata2", p.RigaTestata2},
        {"RigaTestata3", p.RigaTestata3},
        {"RigaTestata4", p.RigaTestata4},
        {"RigaTestata5", p.RigaTestata5},
        {"RigaTestata6", p.RigaTestata6},
    };

    if (!proc.esegui([&] { riga = archivio.openRecordset("select * from ambientefascola"); }))
        return false;
    bool nuova = false;
    if (!proc.esegui([&] { nuova = Richiesto(riga).EOF_(); })) return false;
    if (nuova) {
        if (!proc.esegui([&] { Richiesto(riga).AddNew(); })) return false;
        for (const char* nota : {"nota1", "nota2", "nota3", "nota4"})
            if (!proc.esegui([&] { Richiesto(riga).setField(nota, ""); })) return false;
    } else if (!proc.esegui([&] { Richiesto(riga).Edit(); })) {
        return false;
    }
    for (const auto& [colonna, valore] : colonne)
        if (!proc.esegui([&] { Richiesto(riga).setField(colonna, valore); })) return false;
    return proc.esegui([&] { Richiesto(riga).Update(); });
}

QString TitoloParametriConfermati() {
    QString titolo = TitoloProgramma;
    if (AmbienteLavoro().CollegatoContabilita)
        titolo += " ditta: " + ParametriFattura().Ditta + " " + "esercizio: " + ParametriFattura().Esercizio;
    return titolo;
}
