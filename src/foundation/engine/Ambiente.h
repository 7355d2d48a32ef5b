#pragma once
#include <QString>

#include "foundation/engine/NumeroParametro.h"

// The program's name: the main window's caption begins with it and untitled message boxes
// carry it.
inline const QString TitoloProgramma = QStringLiteral("FASCOLE & FATTURAZIONE");

// The program-wide records: one instance each for the whole run, reached through the
// accessors below. Tests start from a clean state with RipristinaAmbiente().

struct AmbienteLavoroRec {
    QString CartellaAvvio;
    QString PathFileIni;
    QString VersioneProgramma;
    QString RevisioneArchivio;
    QString DescrizioneProgramma;
    QString FormatoImporto;
    QString FormatoImportoEsteso;
    QString MacchinaLocale;
    bool IniDefinito = false;
    QString PathArchivioFascole;
    QString PathArchivioDitte;
    QString CartellaFatture;
    QString MacchinaArchivioDitte;
    bool CollegatoContabilita = false;
    QString PathArchivioContabile;
};

struct ParametriFatturaRec {
    bool DettaglioFascola = true;
    bool Registrazione = false;
    QString Ditta;
    QString Esercizio;
    QString RegistroIva;
    bool NumerazioneAutomatica = false;
    QString DataFattura;
    QString NumeroDocumento;
    bool Bollo = false;
    // The numbers of stamp duty and withholdings: each one's text as typed and its value,
    // read once when the text is set (NumeroParametro).
    NumeroParametro ImportoBollo;
    NumeroParametro SogliaBollo;
    QString CriterioBollo = "4";
    bool RitenutaAcconto = false;
    NumeroParametro RitAccPerc = "20";
    NumeroParametro RAPercImponibile = "100";
    QString CriterioRA = "3";
    bool AltreRitenute = false;
    NumeroParametro AltreRitPerc = "20";
    NumeroParametro AltreRitPercImponibile = "100";
    QString AltreRitCriterio = "3";
    QString AltreRitTesto;
    bool MemorizzaFattura = false;
    bool AnteprimaStampa = false;
    QString RigaTestata1, RigaTestata2, RigaTestata3, RigaTestata4, RigaTestata5, RigaTestata6;
    QString LetteraDocumento;
};

struct NoteFatturaRec {
    QString Nota1, Nota2, Nota3, Nota4;
};

AmbienteLavoroRec& AmbienteLavoro();
ParametriFatturaRec& ParametriFattura();
NoteFatturaRec& NoteFattura();

// Every record back to its state before the first start-up, the archives let go.
void RipristinaAmbiente();
