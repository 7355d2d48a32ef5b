#include "startup/forms/DefinizioneValoriDefault.h"

#include <QDate>
#include <QFileInfo>
#include <functional>
#include <memory>
#include <vector>

#include "accounting/engine/ArchivioContabile.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/ArchivioFascole.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "platform/system/MessageService.h"
#include "startup/engine/EsameArchivio.h"
#include "startup/engine/FileIni.h"
#include "startup/forms/FrmFascolaINI.h"
#include "startup/forms/FrmParametriFattura.h"
#include "foundation/engine/Richiesto.h"
#include "startup/engine/TerminaProgramma.h"
#include "startup/engine/Versione.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString TitoloArchivioInutilizzabile = QStringLiteral("ARCHIVIO DELLE FASCOLE");

bool esiste(const QString& percorso) { return QFileInfo(sys::LocalPath(percorso)).isFile(); }

QString oggi() { return QDate::currentDate().toString("dd/MM/yyyy"); }

QString messaggioVersioneErrata(const QString& versioneRegistrata) {
    return "ATTENZIONE: è stata ripristinata una versione del programma" + CrLf +
           " antecedente a quella che era in esecuzione, per poter" + CrLf +
           "eseguire il programma è necessario attivare una versione" + CrLf +
           " uguale o successiva alla " + versioneRegistrata + CrLf +
           " Per ora Non è possibile eseguire il programma.";
}

// The program's own constants and where its configuration lives.
void definizioneCostanti(AmbienteLavoroRec& ambiente) {
    ambiente.DescrizioneProgramma =
        "Programma di gestione di una attività di servizi per mezzo di Fascole e della successiva Fatturazione";
    ambiente.RevisioneArchivio = RevisioneArchivioCorrente;
    ambiente.FormatoImporto = "###,##0.00";
    ambiente.FormatoImportoEsteso = "#,###,##0.00";
    ambiente.VersioneProgramma = VersioneDelProgramma();
    ambiente.MacchinaLocale = NomeMacchina();
    ambiente.PathFileIni = PercorsoFileIni(ambiente.CartellaAvvio);
}

// The set-up dialog names the working environment: given up, nothing can go on.
void richiestaAmbienteLavoro(AmbienteLavoroRec& ambiente, FrmFascolaINI& dialogo) {
    ambiente.IniDefinito = false;
    dialogo.exec();
    if (ambiente.IniDefinito) return;
    ui::MessageService::show("Non è possibile procedere senza inizializzazione");
    TerminaProgramma();
}

// Without a configuration file nothing can go on.
void definizioneFileIni(AmbienteLavoroRec& ambiente) {
    if (esiste(ambiente.PathFileIni)) return;
    FrmFascolaINI dialogo;
    richiestaAmbienteLavoro(ambiente, dialogo);
}

// The archive the configuration names, opened or created; why it can be neither, when so. An
// existing one is opened as the session's, which the steps that follow go on with.
QString archivioPronto(const QString& percorso) {
    const EsameArchivio esame = EsaminaArchivio(percorso, [](const QString&) { return ArchivioInUso(); });
    switch (esame.esito) {
    case EsameArchivio::Esito::Archivio: return {};
    case EsameArchivio::Esito::DaCreare:
        DefinizioneDataBase();
        return esiste(percorso) ? QString() : QStringLiteral("la sua creazione non è riuscita");
    case EsameArchivio::Esito::CartellaMancante:
    case EsameArchivio::Esito::Inutilizzabile: break;
    }
    return esame.motivo;
}

// An archive that can be neither opened nor created (a folder gone, a share not connected, a
// file of another kind): the program says which and why, once, and offers the set-up dialog
// on the configuration in force so that another archive is named.
void richiestaAltroArchivio(AmbienteLavoroRec& ambiente, const QString& motivo) {
    ui::MessageService::show("Non è possibile aprire né creare l'archivio delle fascole " +
                                 NomeNelMessaggio(ambiente.PathArchivioFascole) + ": " + motivo + "." + CrLf +
                                 "Indicare l'archivio su cui lavorare.",
                             TitoloArchivioInutilizzabile);
    FrmFascolaINI dialogo;
    dialogo.ProponiConfigurazione(ambiente.PathArchivioFascole, ambiente.PathArchivioDitte, ambiente.CartellaFatture);
    richiestaAmbienteLavoro(ambiente, dialogo);
}

// The archive has no parameters yet: the user defines them first.
void primaDefinizioneParametri() {
    ParametriFattura() = ParametriFatturaRec{};
    ParametriFattura().DataFattura = oggi();
    NoteFattura() = NoteFatturaRec{};
    ui::MessageService::show("Prima esecuzione del programma con questo archivio, è necessario definire" + CrLf +
                                 "i parametri generali di fatturazione, sarà attivata la maschera di gestione," +
                                 CrLf + "per un corretto funzionamento definire tutti i campi che interessano.",
                             "PRIMA DEFINIZIONE DEI PARAMETRI DI FATTURAZIONE");
    FrmParametriFattura dialogo;
    dialogo.exec();
}

// The statements that take the records from the parameters row, in their order.
std::vector<std::function<void()>> letturaRiga(const std::unique_ptr<db::Recordset>& riga, bool collegato) {
    ParametriFatturaRec& p = ParametriFattura();
    NoteFatturaRec& n = NoteFattura();
    auto campo = [&riga](const char* colonna) { return Richiesto(riga)[colonna]; };
    auto testo = [campo](const char* colonna, const QString& seNull) { return campo(colonna).textOr(seNull); };
    auto contabili = std::make_shared<bool>(false);
    return {
        [=] { *contabili = collegato && !campo("esercizio").isNull() && !campo("registroiva").isNull(); },
        [=, &p] { p.DettaglioFascola = *contabili ? campo("dettagliofascola").toBool() : true; },
        [=, &p] { p.Registrazione = *contabili ? campo("registrazione").toBool() : false; },
        [=, &p] { p.Ditta = *contabili ? campo("ditta").toText<QString>() : QString(); },
        [=, &p] { p.Esercizio = *contabili ? campo("esercizio").toText<QString>() : QString(); },
        [=, &p] { p.RegistroIva = *contabili ? campo("registroiva").toText<QString>() : QString(); },
        [=, &p] { p.NumerazioneAutomatica = campo("numerazioneautomatica").toBool(); },
        [&p] {
            p.DataFattura = oggi();
            p.NumeroDocumento.clear();
        },
        [=, &p] { p.Bollo = campo("bollo").toBool(); },
        [=, &p] { p.ImportoBollo = testo("importobollo", ""); },
        [=, &p] { p.SogliaBollo = testo("sogliabollo", ""); },
        [=, &p] { p.CriterioBollo = testo("criteriobollo", "4"); },
        [=, &p] { p.RitenutaAcconto = campo("ritenutaacconto").toBool(); },
        [=, &p] { p.RitAccPerc = testo("ritaccperc", "20"); },
        [=, &p] { p.RAPercImponibile = testo("rapercimponibile", "100"); },
        [=, &p] { p.CriterioRA = testo("criteriora", "3"); },
        [=, &p] { p.AltreRitenute = campo("altreritenute").toBool(); },
        [=, &p] { p.AltreRitPerc = testo("altreritperc", "20"); },
        [=, &p] { p.AltreRitPercImponibile = testo("altreritpercimponibile", "100"); },
        [=, &p] { p.AltreRitCriterio = testo("altreritcriterio", "3"); },
        [=, &p] { p.AltreRitTesto = testo("altrerittesto", ""); },
        [=, &p] { p.MemorizzaFattura = campo("memorizzafattura").toBool(); },
        [=, &p] { p.AnteprimaStampa = campo("anteprimastampa").toBool(); },
        [=, &p] { p.RigaTestata1 = testo("rigatestata1", ""); },
        [=, &p] { p.RigaTestata2 = testo("rigatestata2", ""); },
        [=, &p] { p.RigaTestata3 = testo("rigatestata3", ""); },
        [=, &p] { p.RigaTestata4 = testo("rigatestata4", ""); },
        [=, &p] { p.RigaTestata5 = testo("rigatestata5", ""); },
        [=, &p] { p.RigaTestata6 = testo("rigatestata6", ""); },
        [=, &n] { n.Nota1 = testo("nota1", ""); },
        [=, &n] { n.Nota2 = testo("nota2", ""); },
        [=, &n] { n.Nota3 = testo("nota3", ""); },
        [=, &n] { n.Nota4 = testo("nota4", ""); },
    };
}

}  // namespace

void DefinizioneValoriDefault() {
    AmbienteLavoroRec& ambiente = AmbienteLavoro();
    Procedura proc("Funzione di definizione valori default Fascola");
    // The archives are taken up anew from the configuration: the files it names may not be
    // the ones the session had open.
    ChiudiSessione();

    definizioneCostanti(ambiente);
    definizioneFileIni(ambiente);

    QString versioneRegistrata;
    int confronto = 0;
    for (;;) {
        // A value the file does not hold leaves its field as it was.
        QStringList valori;
        if (!proc.esegui([&] { valori = LeggiFileIni(ambiente.PathFileIni); })) return;
        if (valori.size() > 0) ambiente.PathArchivioFascole = valori[0];
        if (valori.size() > 1) ambiente.PathArchivioDitte = valori[1];
        if (valori.size() > 2) ambiente.CartellaFatture = valori[2];
        versioneRegistrata = valori.value(3);
        ambiente.MacchinaArchivioDitte = MacchinaDelPercorso(ambiente.PathArchivioDitte);
        confronto = ConfrontaVersioni(versioneRegistrata, ambiente.VersioneProgramma);

        const QString motivo = archivioPronto(ambiente.PathArchivioFascole);
        // A file of a newer program is refused below whatever archive it names: another one
        // named here would not make this program the right one.
        if (motivo.isEmpty() || confronto > 0) break;
        richiestaAltroArchivio(ambiente, motivo);
    }
    ambiente.CollegatoContabilita = ambiente.PathArchivioDitte != "NO";

    // A newer program moves the file on; an older one may not run on it.
    if (confronto < 0) {
        if (!proc.esegui([&] {
                ScriviFileIni(ambiente.PathFileIni, {ambiente.PathArchivioFascole, ambiente.PathArchivioDitte,
                                                     ambiente.CartellaFatture, ambiente.VersioneProgramma});
            }))
            return;
    } else if (confronto > 0) {
        ui::MessageService::show(messaggioVersioneErrata(versioneRegistrata), "REVISIONE SOFTWARE ERRATA");
        TerminaProgramma();
    }

    {
        Procedura verifica("Sub di di verifica revisione db Fascola");
        if (Connessione archivio = ArchivioInUso(verifica)) VerificaRevisioneDb(*archivio);
    }

    // The invoicing parameters and notes from the archive's parameters row.
    Connessione archivio;
    std::unique_ptr<db::Recordset> riga;
    bool senzaRiga = false;
    if (!proc.esegui([&] { archivio = ArchivioInUso(); })) return;
    if (!proc.esegui([&] { riga = Richiesto(archivio).openRecordset("select * from AmbienteFascola"); })) return;
    if (!proc.esegui([&] { senzaRiga = Richiesto(riga).EOF_(); })) return;
    if (senzaRiga) {
        riga.reset();
        primaDefinizioneParametri();
    } else {
        for (const auto& passo : letturaRiga(riga, ambiente.CollegatoContabilita))
            if (!proc.esegui(passo)) return;
        riga.reset();
    }
    ParametriFattura().LetteraDocumento.clear();

    DefinizionePathNameZolpa();
}
