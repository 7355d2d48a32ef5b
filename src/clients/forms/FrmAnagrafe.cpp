#include "clients/forms/FrmAnagrafe.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "casefiles/forms/NavigatoreRecord.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/MessageService.h"
#include "platform/ui/ClickEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/RefillCombo.h"

namespace {

const QString StatoItalia = QStringLiteral("IT");

// The widths of the columns the boxes write.
constexpr int LarghezzaCodice = 10;

QLineEdit* casella(const char* nome, int lunghezza) {
    auto* t = ui::named<QLineEdit>(nome);
    t->setMaxLength(lunghezza);
    return t;
}

// `lavoro` on the session's archive, under the error handler of `proc`; false when it was
// not carried out.
bool sullArchivio(Procedura& proc, const std::function<void(db::Database&)>& lavoro) {
    return proc.essenziale([&] { lavoro(*ArchivioInUso()); });
}

}  // namespace

FrmAnagrafe::FrmAnagrafe(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmAnagrafe");
    setWindowTitle("ANAGRAFICA CLIENTI");
    costruisci();
    ui::enterPresses(*this, nullptr);
    collegaEventi();
    // The load.
    RecordInVisione = false;
    StatoIniziale();
}

FrmAnagrafe::~FrmAnagrafe() = default;

void FrmAnagrafe::costruisci() {
    lblTitolo = ui::titleLabel("lblTitolo", "GESTIONE ANAGRAFICA CLIENTI");

    DbcCodice = ui::named<ui::RefillCombo>("DbcCodice");
    DbcCodice->lineEdit()->setMaxLength(LarghezzaCodice);
    DbcCodice->setMinimumWidth(140);
    DbcCodice->setRefill([] {
        std::vector<ui::ComboRow> codici;
        Procedura proc("Funzione di lettura codici anagrafe");
        sullArchivio(proc, [&](db::Database& archivio) { codici = ElencoCodiciAnagrafe(archivio); });
        return codici;
    });
    TxtRagione = casella("TxtRagione", 60);
    TxtIndirizzo = casella("TxtIndirizzo", 60);
    TxtCap = casella("TxtCap", 5);
    TxtLocalita = casella("TxtLocalita", 60);
    TxtProvincia = casella("TxtProvincia", 2);
    TxtStato = casella("TxtStato", 2);
    TxtStato->setText(StatoItalia);
    TxtPicf = casella("TxtPicf", 16);
    for (QLineEdit* corta : {TxtCap, TxtProvincia, TxtStato}) corta->setMaximumWidth(80);
    TxtPicf->setMinimumWidth(180);

    DtaSelezionati = ui::named<NavigatoreRecord>("DtaSelezionati");
    std::tie(cmdAggiungi, cmdRicerca, cmdCorreggi, cmdCancella, cmdConferma, cmdAnnulla) =
        CreaComandi({"cmdAggiungi", "cmdRicerca", "cmdCorreggi", "cmdCancella", "cmdConferma", "cmdAnnulla"});
    cmdFine = ui::commandButton("cmdFine", "ESCI");
    lblAzioneInCorso = ui::boldLabel("lblAzioneInCorso");

    auto* campi = new QGridLayout;
    int riga = 0;
    auto aggiungi = [&](const QString& etichetta, QWidget* campo) {
        campi->addWidget(new QLabel(etichetta), riga, 0);
        campi->addWidget(campo, riga++, 1);
    };
    aggiungi("Codice mnemonico", ui::row({DbcCodice}));
    aggiungi("Ragione sociale", TxtRagione);
    aggiungi("Indirizzo", TxtIndirizzo);
    aggiungi("CAP", ui::row({TxtCap}));
    aggiungi("Località", TxtLocalita);
    aggiungi("Provincia", ui::row({TxtProvincia}));
    aggiungi("Sigla stato", ui::row({TxtStato}));
    aggiungi("Partita IVA / Codice Fiscale", ui::row({TxtPicf}));
    campi->setColumnMinimumWidth(1, 380);

    Impagina(*this, *lblTitolo, campi, {cmdAggiungi, cmdRicerca, cmdCorreggi, cmdCancella, cmdConferma, cmdAnnulla},
             *cmdFine, *lblAzioneInCorso, *DtaSelezionati);
}

void FrmAnagrafe::collegaEventi() {
    // The code box's own click is the one on its list button; its text is a field of its own.
    for (QWidget* campo : std::initializer_list<QWidget*>{DbcCodice, DbcCodice->lineEdit(), TxtRagione, TxtIndirizzo,
                                                          TxtCap, TxtLocalita, TxtProvincia, TxtStato, TxtPicf})
        ui::onClick(*campo, [this] { CampoCliccato(); });
    CollegaScheda(*this, {cmdAggiungi, cmdRicerca, cmdCorreggi, cmdCancella, cmdConferma, cmdAnnulla, nullptr, false, {}},
                  *lblAzioneInCorso, *DtaSelezionati,
                  {QStringLiteral("definisci i campi per selezione di ricerca"),
                   QStringLiteral("Inserimento di una nuova anagrafica"), {},
                   QStringLiteral("Visualizzazione anagrafica"), QStringLiteral("Correzione anagrafica")},
                  {QStringLiteral("Funzione di definizione nuova anagrafica"),
                   QStringLiteral("Funzione di Verifica dei dati inseriti")});
    connect(cmdFine, &QPushButton::clicked, this, [this] { CmdFine_Click(); });
}

void FrmAnagrafe::MascheraDiRicerca() {
    PulisciCampi();
    // The search keys only.
    DbcCodice->setEnabled(true);
    TxtRagione->setEnabled(true);
    for (QLineEdit* t : {TxtIndirizzo, TxtCap, TxtLocalita, TxtProvincia, TxtStato, TxtPicf}) t->setEnabled(false);
}

void FrmAnagrafe::AbilitaCampi() {
    DbcCodice->setEnabled(true);
    for (QLineEdit* t : {TxtRagione, TxtIndirizzo, TxtCap, TxtLocalita, TxtProvincia, TxtStato, TxtPicf})
        t->setEnabled(true);
}

void FrmAnagrafe::PulisciCampi() {
    DbcCodice->setEditText({});
    for (QLineEdit* t : {TxtRagione, TxtIndirizzo, TxtCap, TxtLocalita, TxtProvincia, TxtStato, TxtPicf}) t->clear();
    TxtStato->setText(StatoItalia);
}

void FrmAnagrafe::CampiNuovi() { PulisciCampi(); }

QWidget& FrmAnagrafe::CampoChiave() { return *DbcCodice; }

bool FrmAnagrafe::RecordInUso() {
    return RsSelezionati && PosSelezionata >= 1 && Bollato(rigaInVisione().testo("codice"));
}

void FrmAnagrafe::TogliRiga(long posizione) { RsSelezionati->erase(RsSelezionati->begin() + (posizione - 1)); }

DatiAnagrafica FrmAnagrafe::campi() const {
    return {DbcCodice->currentText(), TxtRagione->text(),   TxtIndirizzo->text(), TxtCap->text(),
            TxtLocalita->text(),      TxtProvincia->text(), TxtStato->text(),     TxtPicf->text()};
}

const RigaAnagrafe& FrmAnagrafe::rigaInVisione() const { return RsSelezionati->at(size_t(PosSelezionata - 1)); }

bool FrmAnagrafe::Controlli() {
    if (DbcCodice->currentText().isEmpty()) return ui::refuse(*DbcCodice, "Definire il codice elemento");
    if (ModoOperativo == ModoInserimento) {
        Procedura proc("Funzione di Verifica dei dati inseriti");
        bool esiste = false;
        if (!sullArchivio(proc, [&](db::Database& archivio) {
                esiste = CodiceAnagraficaEsistente(archivio, DbcCodice->currentText());
            }))
            return false;
        if (esiste) return ui::refuse(*DbcCodice, "Il codice mnemonico dato è già definito");
    }
    const std::pair<QLineEdit*, const char*> obbligatori[] = {
        {TxtRagione, "Definire la ragione sociale del cliente"},
        {TxtIndirizzo, "Definire l'indirizzo del cliente"},
        {TxtCap, "Definire il codice di avviamento postale"},
        {TxtLocalita, "Definire la località dell'indirizzo del cliente"},
        {TxtProvincia, "Definire la provincia dell'indirizzo del cliente"},
        {TxtStato, "Definire lo stato dell'indirizzo del cliente"},
        {TxtPicf, "Definire la partita iva e/o codice fiscale del cliente"},
    };
    for (const auto& [campo, messaggio] : obbligatori)
        if (campo->text().isEmpty()) return ui::refuse(*campo, QString::fromUtf8(messaggio));
    return true;
}

bool FrmAnagrafe::Bollato(const QString& codice) {
    Procedura proc("Funzione di verifica di integrità referenziale dell'anagrafica");
    bool inUso = false;
    sullArchivio(proc, [&](db::Database& archivio) { inUso = AnagraficaInUso(archivio, codice); });
    return inUso;
}

void FrmAnagrafe::Visualizza() {
    const RigaAnagrafe& riga = rigaInVisione();
    DbcCodice->setEditText(riga.testo("codice"));
    const std::pair<QLineEdit*, const char*> caselle[] = {
        {TxtRagione, "ragione"}, {TxtIndirizzo, "indirizzo"}, {TxtCap, "cap"},   {TxtLocalita, "localita"},
        {TxtProvincia, "provincia"}, {TxtStato, "stato"},     {TxtPicf, "picf"},
    };
    for (const auto& [casella, colonna] : caselle) casella->setText(riga.testo(colonna));
    if (TxtStato->text().isEmpty()) TxtStato->setText(StatoItalia);
}

void FrmAnagrafe::Conferma() {
    if (!Verificatore()) return;
    if (ModoOperativo != ModoInserimento) return;
    Procedura proc("Funzione di registrazione di una anagrafica");
    // A client not stored keeps the mask as typed, to be put right.
    if (!sullArchivio(proc, [&](db::Database& archivio) { InserisciAnagrafica(archivio, campi()); })) return;
    PulisciCampi();
    DbcCodice->setFocus();
}

void FrmAnagrafe::Ricerca() {
    RecordInVisione = false;
    Procedura proc("Funzione di ricerca anagrafica");
    std::vector<RigaAnagrafe> trovate;
    if (!sullArchivio(proc, [&](db::Database& archivio) {
            trovate = CercaAnagrafiche(archivio, DbcCodice->currentText(), TxtRagione->text());
        }))
        return;

    // The new result replaces the last one, even when it is empty.
    RsSelezionati.reset();
    if (!trovate.empty()) RsSelezionati = std::move(trovate);
    MostraTrovati(RsSelezionati ? long(RsSelezionati->size()) : 0,
                  "Non c'è nessuna anagrafica  definita nell'archivio");
}

void FrmAnagrafe::DtaSelezionati_Validate(int Action, int) { SpostaRecord(Action); }

void FrmAnagrafe::Correggi() {
    if (!Verificatore()) return;
    Procedura proc("Funzione di correzione di una anagrafica");
    RigaAnagrafe ora;
    // A correction refused (another workstation changed or deleted the client meanwhile)
    // leaves the mask in correction with what was typed.
    if (!sullArchivio(proc, [&](db::Database& archivio) { ora = CorreggiAnagrafica(archivio, rigaInVisione(), campi()); }))
        return;
    RsSelezionati->at(size_t(PosSelezionata - 1)) = ora;
    VisEnvi();
}

void FrmAnagrafe::Cancella() {
    const RigaAnagrafe riga = rigaInVisione();
    const QString inUso = "L'anagrafica non è cancellabile: è in uso in una fascola";
    if (Bollato(riga.testo("codice"))) {
        ui::MessageService::show(inUso);
        return;
    }
    const ui::Answer risposta =
        ui::MessageService::show("Confermare la cancellazione dell'anagrafica", {}, ui::Buttons::YesNo);
    RecordInVisione = false;
    if (risposta != ui::Answer::Yes) return;

    Procedura proc("Funzione di cancellazione di una anagrafica");
    EsitoCancellazione esito = EsitoCancellazione::InUso;
    if (!sullArchivio(proc, [&](db::Database& archivio) { esito = CancellaAnagrafica(archivio, riga); })) return;
    // A case file opened meanwhile by another workstation.
    if (esito == EsitoCancellazione::InUso) {
        ui::MessageService::show(inUso);
        return;
    }

    TogliInVisione();
}

void FrmAnagrafe::CmdFine_Click() { accept(); }

void FrmAnagrafe::done(int risultato) {
    AnnullaAzione();
    RsSelezionati.reset();
    LasciaTrovati();
    QDialog::done(risultato);
}
