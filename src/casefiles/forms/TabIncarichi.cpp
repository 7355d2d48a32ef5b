#include "casefiles/forms/TabIncarichi.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/EtichetteValore.h"
#include "casefiles/forms/EvidenziaRiga.h"
#include "casefiles/forms/TabLavorazioni.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"

namespace {

const QString FormatoGriglia = QStringLiteral(
    "^   Numero   |^      Data      |^   Stato   |^                                Titolo                                 ");
constexpr int RigheMinime = 12;

const QString NessunIncarico = QStringLiteral(".");
const QString& Nessuno = FascolaCorrenteRec::Nessuno;

std::array<QString, 4> celle(const Incarico& i) {
    return {i.ntask, DataMostrata(i.data), i.stato ? "aperto" : "chiuso", Colonna(i.titolo, 30)};
}

void messaggio(const QString& testo) {
    ui::MessageService::show(testo);
}

}  // namespace

TabIncarichi::TabIncarichi(QWidget& pagina, TabLavorazioni& lavorazioni, Evidenziatore& righe)
    : QObject(&pagina), lavorazioni_(lavorazioni), righe_(righe) {
    setObjectName("TabIncarichi");
    creaControlli(pagina);
    griglia_.emplace(*I_FlxIncarichi, FormatoGriglia, RigheMinime, celle);
    righe_.RegistraGriglia("I", *I_FlxIncarichi);

    connect(I_CmdAggiungi, &QPushButton::clicked, this, &TabIncarichi::I_CmdAggiungi_Click);
    connect(I_CmdCorreggi, &QPushButton::clicked, this, &TabIncarichi::I_CmdCorreggi_Click);
    connect(I_CmdCancella, &QPushButton::clicked, this, &TabIncarichi::I_CmdCancella_Click);
    connect(I_FlxIncarichi, &ui::Grid::clicked, this, &TabIncarichi::I_FlxIncarichi_Click);
    OggiQuandoSiEntraVuota(*I_TxtData);
    connect(&FascolaCorrente(), &FascolaCorrenteRec::FascolaCambiata, this, &TabIncarichi::FascolaCambiata);
}

void TabIncarichi::creaControlli(QWidget& pagina) {
    I_LblNomeCliente = Valore("I_LblNomeCliente", LarghezzaNome, &pagina);
    I_LblCodiceCliente = Valore("I_LblCodiceCliente", LarghezzaCodice, &pagina);
    I_LblNpra = Valore("I_LblNpra", LarghezzaNumero, &pagina);

    auto* riquadro = new QGroupBox(&pagina);
    I_LblNtask = Valore("I_LblNtask", LarghezzaNumero, riquadro);
    I_TxtData = ui::named<QLineEdit>("I_TxtData", riquadro);
    I_TxtTitolo = ui::named<QLineEdit>("I_TxtTitolo", riquadro);
    I_TxtTitolo->setMaxLength(30);
    I_TxtNote = ui::named<QLineEdit>("I_TxtNote", riquadro);
    I_TxtNote->setMaxLength(255);
    I_ChkStato = ui::named<QCheckBox>("I_ChkStato", "Incarico aperto", riquadro);
    I_CmdAggiungi = ui::named<QPushButton>("I_CmdAggiungi", "AGGIUNGI", riquadro);
    I_CmdCorreggi = ui::named<QPushButton>("I_CmdCorreggi", "CORREGGI", riquadro);
    I_CmdCancella = ui::named<QPushButton>("I_CmdCancella", "CANCELLA", riquadro);
    I_FlxIncarichi = ui::named<ui::Grid>("I_FlxIncarichi", riquadro);

    auto* campi = new QGridLayout;
    campi->addWidget(new QLabel("Numero:", riquadro), 0, 0);
    campi->addWidget(I_LblNtask, 0, 1);
    campi->addWidget(I_ChkStato, 0, 3);
    campi->addWidget(new QLabel("Data attivazione incarico", riquadro), 1, 0);
    campi->addWidget(I_TxtData, 1, 1);
    campi->addWidget(new QLabel("Titolo identificativo", riquadro), 2, 0);
    campi->addWidget(I_TxtTitolo, 2, 1, 1, 3);
    campi->addWidget(new QLabel("Note descrittive associate all'incarico:", riquadro), 3, 0, 1, 4);
    campi->addWidget(I_TxtNote, 4, 0, 1, 4);
    campi->setColumnStretch(2, 1);

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(I_CmdAggiungi);
    comandi->addWidget(I_CmdCorreggi);
    comandi->addWidget(I_CmdCancella);
    comandi->addStretch();

    auto* contenuto = new QVBoxLayout(riquadro);
    contenuto->addLayout(campi);
    contenuto->addLayout(comandi);
    contenuto->addWidget(I_FlxIncarichi, 1);

    auto* testata = new QHBoxLayout;
    testata->addWidget(I_LblNomeCliente);
    testata->addWidget(I_LblCodiceCliente);
    testata->addWidget(new QLabel("Numero Fascola", &pagina));
    testata->addWidget(I_LblNpra);
    testata->addStretch();

    auto* layout = new QVBoxLayout(&pagina);
    layout->addLayout(testata);
    layout->addWidget(riquadro, 1);
}

void TabIncarichi::FascolaCambiata() {
    MostraFascolaInTestata(I_LblNomeCliente, I_LblCodiceCliente, I_LblNpra);
    I_PulisciCampi();
    if (FascolaCorrente().InVisione()) I_MostraGriglia();
}

void TabIncarichi::I_VuotaGriglia() { griglia_->Svuota(); }

void TabIncarichi::I_MostraGriglia() {
    const FascolaCorrenteRec& f = FascolaCorrente();
    if (!f.InVisione()) return;
    std::vector<Incarico> incarichi;
    if (!SuArchivio("Funzione di visualizzazione griglia degli incarichi", [&](db::Database& archivio) {
            incarichi = IncarichiDellaFascola(archivio, f.CodiceClienteCorrente(), f.NpraCorrente());
        }))
        return;
    if (incarichi.empty()) return;
    I_VuotaGriglia();
    griglia_->Mostra(std::move(incarichi));
}

void TabIncarichi::I_PulisciCampi() {
    I_TxtData->clear();
    I_TxtTitolo->clear();
    I_TxtNote->clear();
    I_ChkStato->setChecked(true);
    scelto_.reset();
    pulito_ = true;
    I_LblNtask->setText(NessunIncarico);
    righe_.EvidenziaRiga("I", 0);
    I_VuotaGriglia();
    lavorazioni_.L_PulisciCampi();
    lavorazioni_.L_VuotaGriglia();
}

bool TabIncarichi::I_Verificatore() {
    if (!basic::IsDate(I_TxtData->text())) {
        messaggio("Bisogna definire la data di definizione dell'incarico");
        I_TxtData->setFocus();
        return false;
    }
    if (I_TxtTitolo->text().isEmpty()) {
        messaggio("Dare un titolo all'incarico che si sta definendo");
        I_TxtTitolo->setFocus();
        return false;
    }
    return true;
}

Incarico TabIncarichi::campi() const {
    Incarico i;
    i.data = DataDigitata(I_TxtData->text());
    i.titolo = I_TxtTitolo->text();
    i.camponote = I_TxtNote->text();
    i.stato = I_ChkStato->isChecked();
    return i;
}

void TabIncarichi::I_CmdAggiungi_Click() {
    // Without a case file on display the task would belong to none.
    const FascolaCorrenteRec& f = FascolaCorrente();
    if (!f.InVisione()) {
        messaggio("Visualizzare prima la fascola a cui aggiungere l'incarico");
        return;
    }
    if (!I_Verificatore()) return;

    Incarico nuovo = campi();
    EsitoAggiunta esito = EsitoAggiunta::Aggiunta;
    if (!SuArchivio("Funzione di definizione nuovo incarico", [&](db::Database& archivio) {
            esito = AggiungiIncarico(archivio, f.CodiceClienteCorrente(), f.NpraCorrente(), nuovo);
        }))
        return;
    if (esito == EsitoAggiunta::NumerazioneEsaurita) {
        messaggio("La fascola ha già l'incarico 9999, l'ultimo che si può numerare: non si possono aggiungere "
                  "altri incarichi");
        return;
    }
    I_PulisciCampi();
    I_MostraGriglia();
}

void TabIncarichi::I_CmdCorreggi_Click() {
    if (!I_Verificatore()) return;
    if (!pulito_) return;
    if (scelto_ && !SuArchivio("Funzione di correzione incarico puntato",
                               [&](db::Database& archivio) { CorreggiIncarico(archivio, *scelto_, campi()); }))
        return;
    I_PulisciCampi();
    I_MostraGriglia();
}

void TabIncarichi::I_CmdCancella_Click() {
    if (!I_Verificatore()) return;
    if (!pulito_) return;
    bool cancellato = false;
    QString ntask;
    if (scelto_) {
        ntask = scelto_->ntask;
        EsitoCancellazioneIncarico esito = EsitoCancellazioneIncarico::Cancellato;
        if (!SuArchivio("Funzione di cancellazione incarico in fattura",
                        [&](db::Database& archivio) { esito = CancellaIncarico(archivio, *scelto_); }))
            return;
        switch (esito) {
        case EsitoCancellazioneIncarico::HaLavorazioni:
            messaggio("L'incarico ha lavorazioni o documenti: cancellarli prima di cancellare l'incarico");
            break;
        case EsitoCancellazioneIncarico::HaCompetenze:
            // Removing it would leave its fee items pointing at a task that is no more.
            messaggio("All'incarico sono collegate delle competenze: l'incarico non può essere cancellato");
            break;
        case EsitoCancellazioneIncarico::Cancellato: cancellato = true; break;
        }
    }
    I_PulisciCampi();
    I_MostraGriglia();
    if (!cancellato) return;
    // Nothing may go on pointing at the task just deleted: neither the jobs tab, whose adds
    // would store jobs under it, nor the fee tab, whose adds would store fee items.
    FascolaCorrenteRec& f = FascolaCorrente();
    if (f.NtaskScelto() == ntask) f.ScegliIncarico({}, {});
    f.DestinaCompetenze(Nessuno, Nessuno);
}

void TabIncarichi::I_FlxIncarichi_Click(int riga) {
    righe_.RigaCliccata = riga;
    I_FlxIncarichi->setRow(riga);
    I_FlxIncarichi->setCol(0);
    const Incarico* listato = griglia_->Listata(riga);
    if (!listato) {
        I_PulisciCampi();
        righe_.EvidenziaRiga("I", 0);
        return;
    }

    FascolaCorrenteRec& f = FascolaCorrente();
    std::optional<Incarico> letto;
    if (!SuArchivio("Funzione di puntamento ad un incarico", [&](db::Database& archivio) {
            letto = LeggiIncarico(archivio, f.CodiceClienteCorrente(), f.NpraCorrente(), listato->ntask);
        }))
        return;
    if (!letto) return;

    righe_.EvidenziaRiga("I", 1);
    I_TxtData->setText(DataMostrata(letto->data));
    I_TxtTitolo->setText(letto->titolo);
    I_TxtNote->setText(letto->camponote);
    I_ChkStato->setChecked(letto->stato);
    I_LblNtask->setText(letto->ntask);
    scelto_ = std::move(letto);

    // The jobs tab lists the task's jobs; new fee items go to the task itself.
    f.ScegliIncarico(scelto_->ntask, scelto_->titolo);
    f.DestinaCompetenze(scelto_->ntask, Nessuno);
}
