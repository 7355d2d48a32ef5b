#include "casefiles/forms/SchedaRecord.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "foundation/engine/Procedura.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FormUtil.h"

namespace {

const QString CorrezioneDiUnUsato = QStringLiteral("l'elemento è già usato nelle fascole, correggere propriamente");

}  // namespace

SchedaRecord::~SchedaRecord() = default;

SchedaRecord::SeiComandi SchedaRecord::CreaComandi(const char* const (&nomi)[6]) {
    auto crea = [&nomi](int i, const char* testo) { return ui::commandButton(nomi[i], testo); };
    return {crea(0, "AGGIUNGI"), crea(1, "RICERCA"), crea(2, "CORREGGI"),
            crea(3, "CANCELLA"), crea(4, "CONFERMA"), crea(5, "ANNULLA")};
}

void SchedaRecord::Impagina(QWidget& forma, QLabel& titolo, QLayout* campi,
                            std::initializer_list<QPushButton*> comandi, QPushButton& fine, QLabel& azione,
                            NavigatoreRecord& navigatore) {
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(campi, 1);
    corpo->addSpacing(12);
    corpo->addLayout(ui::buttonColumn(comandi, &fine));
    auto* tutto = new QVBoxLayout(&forma);
    tutto->addWidget(&titolo);
    tutto->addLayout(corpo);
    tutto->addWidget(ui::row({&azione}));
    tutto->addWidget(&navigatore);
}

void SchedaRecord::CollegaScheda(QObject& contesto, Comandi comandi, QLabel& azione, NavigatoreRecord& navigatore,
                                 Didascalie didascalie, Funzioni funzioni) {
    comandi_ = std::move(comandi);
    azione_ = &azione;
    navigatore_ = &navigatore;
    didascalie_ = std::move(didascalie);
    funzioni_ = std::move(funzioni);
    if (didascalie_.risultato.isEmpty()) didascalie_.risultato = didascalie_.visione;

    const std::pair<QPushButton*, void (SchedaRecord::*)()> comandiEseguiti[] = {
        {comandi_.aggiungi, &SchedaRecord::Aggiungi}, {comandi_.ricerca, &SchedaRecord::Ricerca},
        {comandi_.correggi, &SchedaRecord::Correggi}, {comandi_.cancella, &SchedaRecord::Cancella},
        {comandi_.conferma, &SchedaRecord::Conferma}, {comandi_.annulla, &SchedaRecord::Annulla},
    };
    for (const auto& [pulsante, comando] : comandiEseguiti)
        QObject::connect(pulsante, &QPushButton::clicked, &contesto, [this, comando] { (this->*comando)(); });
    QObject::connect(&navigatore, &NavigatoreRecord::Validate, &contesto,
                     [this](int azione) { SpostaRecord(azione); });
}

void SchedaRecord::entra(Modo modo, const QString& didascalia) {
    const bool inModifica = modo == ModoInserimento || modo == ModoCorrezione;
    comandi_.aggiungi->setEnabled(modo == ModoIniziale);
    comandi_.ricerca->setEnabled(modo == ModoIniziale);
    comandi_.correggi->setEnabled(modo == ModoCorrezione);
    comandi_.cancella->setEnabled(modo == ModoVisione);
    comandi_.conferma->setEnabled(modo == ModoInserimento);
    comandi_.annulla->setEnabled(modo != ModoIniziale);
    if (comandi_.stampa)
        comandi_.stampa->setEnabled(modo == ModoVisione || modo == ModoCorrezione ||
                                    (modo == ModoInserimento && comandi_.stampaInInserimento));
    for (QWidget* w : comandi_.soloInModifica) w->setEnabled(inModifica);
    azione_->setText(didascalia);
    azione_->setVisible(true);
    ModoOperativo = modo;
}

void SchedaRecord::StatoIniziale() {
    entra(ModoIniziale, didascalie_.ricerca);
    MascheraDiRicerca();
}

void SchedaRecord::VisEnvi() { entra(ModoVisione, didascalie_.visione); }

void SchedaRecord::Visu2corre() {
    if (RecordInUso()) ui::MessageService::show(CorrezioneDiUnUsato);
    entra(ModoCorrezione, didascalie_.correzione);
}

void SchedaRecord::AnnullaAzione() {
    RecordInVisione = false;
    StatoIniziale();
    CampoChiave().setFocus();
    AzioneAnnullata();
}

void SchedaRecord::AzioneAnnullata() { navigatore_->setCaption(basic::Space(9)); }

void SchedaRecord::Annulla() { AnnullaAzione(); }

void SchedaRecord::Aggiungi() {
    entra(ModoInserimento, didascalie_.inserimento);
    Procedura proc(funzioni_.aggiungi);
    proc.esegui([&] { AbilitaCampi(); });
    proc.esegui([&] { CampiNuovi(); });
    CampoChiave().setFocus();
}

bool SchedaRecord::Verificatore() {
    bool superati = false;
    Procedura proc(funzioni_.verifica);
    proc.esegui([&] { superati = Controlli(); });
    return superati;
}

void SchedaRecord::CampoCliccato() {
    if (RecordInVisione) Visu2corre();
}

void SchedaRecord::LasciaTrovati() {
    NumSelezionati = 0;
    PosSelezionata = 0;
}

void SchedaRecord::MostraTrovati(long numero, const QString& nessuno) {
    NumSelezionati = std::max(numero, 0L);
    PosSelezionata = NumSelezionati > 0 ? 1 : 0;
    if (NumSelezionati == 0) {
        ui::MessageService::show(nessuno);
        StatoIniziale();
        CampoChiave().setFocus();
        return;
    }
    entra(ModoVisione, didascalie_.risultato);
    AbilitaCampi();
    navigatore_->setEnabled(true);
    navigatore_->MostraPosizione(PosSelezionata, NumSelezionati, true);
    Trovati();
    Visualizza();
    RecordInVisione = true;
}

void SchedaRecord::SpostaRecord(int Action) {
    // Nothing to browse before a search that found rows, nor once they are all deleted.
    if (NumSelezionati < 1) return;
    if (MossaNullaChiudeVisione()) RecordInVisione = false;
    const auto mossa = NavigatoreRecord::Sposta(Action, PosSelezionata, NumSelezionati);
    // Otherwise a refused move leaves the record on display as it was, correction included.
    if (!mossa) return;
    PosSelezionata = mossa->posizione;
    RecordInVisione = false;
    navigatore_->MostraPosizione(PosSelezionata, NumSelezionati, mossa->primo);
    AbilitaCampi();
    Visualizza();
    VisEnvi();
    RecordInVisione = true;
}

void SchedaRecord::TogliInVisione() {
    RecordInVisione = false;
    TogliRiga(PosSelezionata);
    --NumSelezionati;
    if (NumSelezionati < 1) {
        LasciaTrovati();
        AnnullaAzione();
        return;
    }
    PosSelezionata = std::min(PosSelezionata, NumSelezionati);
    navigatore_->MostraPosizione(PosSelezionata, NumSelezionati, false);
    Visualizza();
    VisEnvi();
    RecordInVisione = true;
}
