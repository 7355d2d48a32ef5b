#pragma once
// The behaviour every record form shares: one set of fields that serves as search mask,
// insert form, viewer and correction form, switched by ModoOperativo; the result of a search
// kept as a list browsed with a NavigatoreRecord and its "1 di 5" caption; the command
// buttons enabled by mode; a click on a field of a record on display starting a correction;
// ANNULLA back to the search mask; a deletion that takes the record out of the list and shows
// the next one.
//
// A form derives from it beside its widget class, builds its controls, hands the commands,
// the action label and the navigator to CollegaScheda, and supplies what is its own: its
// fields (the virtual functions below), its checks and its SQL. The rows of the list are the
// form's, in the form's own type; the controller counts them and knows which is on display.
#include <QString>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "casefiles/forms/NavigatoreRecord.h"

class QLabel;
class QLayout;
class QObject;
class QPushButton;
class QWidget;

class SchedaRecord {
public:
    enum Modo { ModoIniziale = 0, ModoInserimento = 1, ModoVisione = 2, ModoCorrezione = 3 };
    // The record browser's buttons, as the navigator reports them.
    using enum NavigatoreRecord::Azione;

    // The record commands, each named as its control. STAMPA is optional.
    struct Comandi {
        QPushButton* aggiungi = nullptr;
        QPushButton* ricerca = nullptr;
        QPushButton* correggi = nullptr;
        QPushButton* cancella = nullptr;
        QPushButton* conferma = nullptr;
        QPushButton* annulla = nullptr;
        // Not run from here: the form connects it.
        QPushButton* stampa = nullptr;
        // Whether STAMPA stays usable while a new record is typed in.
        bool stampaInInserimento = true;
        // Controls usable only while a record is typed in or corrected (the buttons that
        // edit a list belonging to the record).
        std::vector<QWidget*> soloInModifica;
    };
    // What the action label says in each mode; `risultato` (when not empty) is said instead
    // of `visione` right after a search.
    struct Didascalie {
        QString ricerca, inserimento, risultato, visione, correzione;
    };
    // The texts the error box names AGGIUNGI and the check before storing by, when either
    // fails at run time.
    struct Funzioni {
        QString aggiungi, verifica;
    };

    // The six record commands with their captions, named `nomi` in the order AGGIUNGI,
    // RICERCA, CORREGGI, CANCELLA, CONFERMA, ANNULLA.
    using SeiComandi = std::tuple<QPushButton*, QPushButton*, QPushButton*, QPushButton*, QPushButton*, QPushButton*>;
    static SeiComandi CreaComandi(const char* const (&nomi)[6]);
    // The usual page of a record form: the title, the fields beside the column of `comandi`
    // with `fine` at its foot, the action under them and the navigator at the bottom.
    static void Impagina(QWidget& forma, QLabel& titolo, QLayout* campi, std::initializer_list<QPushButton*> comandi,
                         QPushButton& fine, QLabel& azione, NavigatoreRecord& navigatore);

    virtual ~SchedaRecord();

    // Enters a mode: the buttons, the action label and ModoOperativo.
    void StatoIniziale();
    void VisEnvi();
    // The record on display (if any) becomes a correction; the form may warn first.
    void Visu2corre();
    // Back to the search mask: nothing on display, the key field focused.
    void AnnullaAzione();
    // A press on one of the navigator's buttons; any other Action does nothing.
    void SpostaRecord(int Action);
    // The check every save runs first: the form's Controlli, under the error handler. Shows the
    // message of the first check that fails, moves the focus there and returns false; true
    // when everything passed.
    bool Verificatore();

    // The form's state.
    int ModoOperativo = ModoIniziale;
    // A record of the search result is on display: a click on one of its fields then
    // switches to correction. Cleared while the program itself refills the fields.
    bool RecordInVisione = false;
    // The row of the search result on display (from 1) and how many rows it has.
    long PosSelezionata = 0;
    long NumSelezionati = 0;

protected:
    SchedaRecord() = default;
    // The controls the controller drives; `contesto` is the form, which the connections
    // live as long as. The command buttons run the commands below, the navigator moves.
    void CollegaScheda(QObject& contesto, Comandi comandi, QLabel& azione, NavigatoreRecord& navigatore,
                       Didascalie didascalie, Funzioni funzioni);

    // The commands the buttons run. AGGIUNGI enters insert mode and empties the fields;
    // ANNULLA goes back to the search mask.
    void Aggiungi();
    virtual void Ricerca() = 0;
    virtual void Correggi() = 0;
    virtual void Cancella() = 0;
    virtual void Conferma() = 0;
    virtual void Annulla();

    // The form's part of each step.
    // The search mask: its fields emptied, only the search keys usable.
    virtual void MascheraDiRicerca() = 0;
    // Every field usable.
    virtual void AbilitaCampi() = 0;
    // The checks of the fields before storing, as Verificatore describes them.
    virtual bool Controlli() = 0;
    // The fields of a new record: emptied, with their defaults.
    virtual void CampiNuovi() = 0;
    // The row at PosSelezionata into the fields.
    virtual void Visualizza() = 0;
    // Takes row `posizione` (from 1) out of the form's list.
    virtual void TogliRiga(long posizione) = 0;
    // The field the focus goes back to.
    virtual QWidget& CampoChiave() = 0;
    // Whether the record on display is in use elsewhere, so that its correction is warned of.
    virtual bool RecordInUso() { return false; }
    // After a search found rows, before the first is shown.
    virtual void Trovati() {}
    // After ANNULLA: the navigator's caption emptied.
    virtual void AzioneAnnullata();
    // Whether a press that moves nothing also ends the display, so that a click on a field no
    // longer corrects.
    virtual bool MossaNullaChiudeVisione() const { return false; }

    // The form's steps.
    // The search found `numero` rows (the form holds them): the first on display, or, when
    // there are none, `nessuno` said and the search mask back.
    void MostraTrovati(long numero, const QString& nessuno);
    // The record on display has been deleted: it leaves the list and the next one (the
    // previous one at the end) is shown; once none is left, the search mask.
    void TogliInVisione();
    // A click on a field: a correction of the record on display.
    void CampoCliccato();
    // The search result let go.
    void LasciaTrovati();
    // Which controls the form has as the controller's.
    NavigatoreRecord& Navigatore() const { return *navigatore_; }

private:
    void entra(Modo modo, const QString& didascalia);

    Comandi comandi_;
    QLabel* azione_ = nullptr;
    NavigatoreRecord* navigatore_ = nullptr;
    Didascalie didascalie_;
    Funzioni funzioni_;
};
