#pragma once
#include <QObject>
#include <QString>
#include <optional>

// The case file the program works on: one object for the whole run, reached through
// FascolaCorrente(). The case-file mask and the task and job tabs change it; every part of the
// program that needs to know which case file, task, job or VAT regime is meant reads it here,
// and every control that shows one of them (the tabs' heading labels, the mask's case number,
// the VAT-regime options) only shows what it holds and follows its signals. Nothing reads a key
// back from a label.
//
// What it holds:
// - the client's code and name and the case number. While a case file is on display
//   (InVisione()) they name that case file; otherwise they are what the mask is being typed
//   with: the client chosen by name and the number proposed for its new case file, or empty.
//   The fee-item, invoice and exposure code work on a case file only while InVisione();
// - the task whose jobs the jobs tab lists (chosen on the tasks tab);
// - the task and job a new fee item goes to, "0000" each for none, that is the case file
//   itself;
// - the VAT regime of the invoice being composed: IvaCee() takes the catalogue's EU VAT code,
//   IvaInter() is its complement; both off until the user chooses.
//
// Who changes it: the case-file mask (MostraFascola when it displays a case file of its search
// result, Svuota whenever it clears, ScegliCliente and ImpostaNpra while a new case file is
// typed); the tasks tab (ScegliIncarico and DestinaCompetenze on a task click, and when it
// deletes the chosen task); the jobs tab (DestinaCompetenze on a job click); the window's
// VAT-regime options (ImpostaRegimeIva). Others read it and follow its signals.
//
// Its signals say what changed; each setter emits its signal every time it is called, also
// when the values stay the same, because the tabs refill their grids from the archive on it.
class FascolaCorrenteRec : public QObject {
    Q_OBJECT
public:
    static inline const QString Nessuno = QStringLiteral("0000");

    const QString& CodiceClienteCorrente() const { return codice_; }
    const QString& NomeClienteCorrente() const { return nome_; }
    const QString& NpraCorrente() const { return npra_; }
    bool InVisione() const { return inVisione_; }

    // The task of the jobs tab: its number and title, both empty when none is chosen.
    const QString& NtaskScelto() const { return ntaskScelto_; }
    const QString& TitoloIncaricoScelto() const { return titoloScelto_; }

    // Where a new fee item goes.
    const QString& NtaskCompetenze() const { return ntaskCompetenze_; }
    const QString& NjobCompetenze() const { return njobCompetenze_; }

    bool IvaCee() const { return ivaCee_; }
    bool IvaInter() const { return ivaInter_; }

    // A stored case file put on display: no task chosen, new fee items on the case file
    // itself. Emits FascolaCambiata (which covers the task and the fee items' place too).
    void MostraFascola(const QString& codice, const QString& nome, const QString& npra);
    // No case file on display any more: the code and the case number are emptied, the name
    // stays as the mask shows it; no task chosen, fee items on "0000". Emits FascolaCambiata.
    void Svuota();
    // The client chosen by name in the mask while no case file is on display: the name, and
    // the code when one was found (otherwise the code stays as it was). Emits FascolaCambiata.
    void ScegliCliente(const QString& nome, const std::optional<QString>& codice);
    // The number proposed or given to the mask's new case file. Emits FascolaCambiata.
    void ImpostaNpra(const QString& npra);

    // The task whose jobs are listed; empty texts for none. Emits IncaricoCambiato.
    void ScegliIncarico(const QString& ntask, const QString& titolo);
    // The task and job that new fee items go to. Emits DestinazioneCambiata.
    void DestinaCompetenze(const QString& ntask, const QString& njob);

    // The EU regime (true) or the international one. Emits RegimeIvaCambiato.
    void ImpostaRegimeIva(bool cee);

    // Back to the state before the main window opened; emits every signal.
    void Ripristina();

signals:
    void FascolaCambiata();
    void IncaricoCambiato();
    void DestinazioneCambiata();
    void RegimeIvaCambiato();

private:
    void nessunIncarico();

    QString codice_;
    QString nome_;
    QString npra_;
    bool inVisione_ = false;
    QString ntaskScelto_;
    QString titoloScelto_;
    QString ntaskCompetenze_ = Nessuno;
    QString njobCompetenze_ = Nessuno;
    bool ivaCee_ = false;
    bool ivaInter_ = false;
};

FascolaCorrenteRec& FascolaCorrente();

// The object back to its state before the main window opened.
void RipristinaFascolaCorrente();
