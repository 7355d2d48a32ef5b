#include "casefiles/engine/FascolaCorrente.h"

void FascolaCorrenteRec::nessunIncarico() {
    ntaskScelto_.clear();
    titoloScelto_.clear();
    ntaskCompetenze_ = Nessuno;
    njobCompetenze_ = Nessuno;
}

void FascolaCorrenteRec::MostraFascola(const QString& codice, const QString& nome, const QString& npra) {
    codice_ = codice;
    nome_ = nome;
    npra_ = npra;
    inVisione_ = true;
    nessunIncarico();
    emit FascolaCambiata();
}

void FascolaCorrenteRec::Svuota() {
    codice_.clear();
    npra_.clear();
    inVisione_ = false;
    nessunIncarico();
    emit FascolaCambiata();
}

void FascolaCorrenteRec::ScegliCliente(const QString& nome, const std::optional<QString>& codice) {
    nome_ = nome;
    if (codice) codice_ = *codice;
    inVisione_ = false;
    emit FascolaCambiata();
}

void FascolaCorrenteRec::ImpostaNpra(const QString& npra) {
    npra_ = npra;
    emit FascolaCambiata();
}

void FascolaCorrenteRec::ScegliIncarico(const QString& ntask, const QString& titolo) {
    ntaskScelto_ = ntask;
    titoloScelto_ = titolo;
    emit IncaricoCambiato();
}

void FascolaCorrenteRec::DestinaCompetenze(const QString& ntask, const QString& njob) {
    ntaskCompetenze_ = ntask;
    njobCompetenze_ = njob;
    emit DestinazioneCambiata();
}

void FascolaCorrenteRec::ImpostaRegimeIva(bool cee) {
    ivaCee_ = cee;
    ivaInter_ = !cee;
    emit RegimeIvaCambiato();
}

void FascolaCorrenteRec::Ripristina() {
    codice_.clear();
    nome_.clear();
    npra_.clear();
    inVisione_ = false;
    nessunIncarico();
    ivaCee_ = false;
    ivaInter_ = false;
    emit FascolaCambiata();
    emit IncaricoCambiato();
    emit DestinazioneCambiata();
    emit RegimeIvaCambiato();
}

FascolaCorrenteRec& FascolaCorrente() {
    // Never destroyed: tabs and dialogs may still be connected to it while the program ends.
    static FascolaCorrenteRec* fascola = new FascolaCorrenteRec;
    return *fascola;
}

void RipristinaFascolaCorrente() { FascolaCorrente().Ripristina(); }
