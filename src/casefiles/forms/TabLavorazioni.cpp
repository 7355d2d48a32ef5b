#include "casefiles/forms/TabLavorazioni.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/EtichetteValore.h"
#include "casefiles/forms/EvidenziaRiga.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"

namespace {

const QString FormatoGriglia =
    QStringLiteral("^ Numero |^      Data      |^      Tipo      |^                    Descrizione                     ");
constexpr int RigheMinime = 9;

std::array<QString, 4> celle(const Lavorazione& l) {
    return {l.njob, DataMostrata(l.data), l.tipo == "D" ? "Documento" : "Lavorazione", Colonna(l.descrizione, 30)};
}

void messaggio(const QString& testo) {
    ui::MessageService::show(testo);
}

}  // namespace

TabLavorazioni::TabLavorazioni(QWidget& pagina, Evidenziatore& righe) : QObject(&pagina), righe_(righe) {
    setObjectName("TabLavorazioni");
    creaControlli(pagina);
    griglia_.emplace(*L_FlxLavorazioni, FormatoGriglia, RigheMinime, celle);
    righe_.RegistraGriglia("L", *L_FlxLavorazioni);

    connect(L_CmdAggiungi, &QPushButton::clicked, this, &TabLavorazioni::L_CmdAggiungi_Click);
    connect(L_CmdCorreggi, &QPushButton::clicked, this, &TabLavorazioni::L_CmdCorreggi_Click);
    connect(L_CmdCancella, &QPushButton::clicked, this, &TabLavorazioni::L_CmdCancella_Click);
    connect(L_FlxLavorazioni, &ui::Grid::clicked, this, &TabLavorazioni::L_FlxLavorazioni_Click);
    OggiQuandoSiEntraVuota(*L_TxtData);
    connect(&FascolaCorrente(), &FascolaCorrenteRec::FascolaCambiata, this, &TabLavorazioni::FascolaCambiata);
    connect(&FascolaCorrente(), &FascolaCorrenteRec::IncaricoCambiato, this, &TabLavorazioni::IncaricoCambiato);
}

void TabLavorazioni::creaControlli(QWidget& pagina) {
    L_LblNomeCliente = Valore("L_LblNomeCliente", LarghezzaNome, &pagina);
    L_LblCodiceCliente = Valore("L_LblCodiceCliente", LarghezzaCodice, &pagina);
    L_LblNpra = Valore("L_LblNpra", LarghezzaNumero, &pagina);
    L_LblTitolo = Valore("L_LblTitolo", LarghezzaTitolo, &pagina);
    L_LblNtask = Valore("L_LblNtask", LarghezzaNumero, &pagina);

    L_FrmLavorazioni = ui::named<QGroupBox>("L_FrmLavorazioni", "LAVORAZIONI e/o DOCUMENTI", &pagina);
    L_LblNJob = Valore("L_LblNJob", LarghezzaNumero, L_FrmLavorazioni);

    auto* tipo = new QGroupBox("Tipo ", L_FrmLavorazioni);
    L_OptTipoDocumento = ui::named<QRadioButton>("L_OptTipoDocumento", "Documento", tipo);
    L_OptTipoLavorazione = ui::named<QRadioButton>("L_OptTipoLavorazione", "Lavorazione", tipo);
    auto* righeTipo = new QVBoxLayout(tipo);
    righeTipo->addWidget(L_OptTipoDocumento);
    righeTipo->addWidget(L_OptTipoLavorazione);

    L_TxtDescrizione = ui::named<QLineEdit>("L_TxtDescrizione", L_FrmLavorazioni);
    L_TxtDescrizione->setMaxLength(30);
    L_TxtData = ui::named<QLineEdit>("L_TxtData", L_FrmLavorazioni);

    auto* puntatore = new QGroupBox("Tipo puntatore", L_FrmLavorazioni);
    L_OptPuntaNomeFile = ui::named<QRadioButton>("L_OptPuntaNomeFile", "Nome file", puntatore);
    L_OptPuntaIndicedoc = ui::named<QRadioButton>("L_OptPuntaIndicedoc", "Numero indice", puntatore);
    auto* righePuntatore = new QVBoxLayout(puntatore);
    righePuntatore->addWidget(L_OptPuntaNomeFile);
    righePuntatore->addWidget(L_OptPuntaIndicedoc);

    // Held to what the archive's column takes, so a long pointer is never refused on saving.
    L_TxtPuntatore = ui::named<QLineEdit>("L_TxtPuntatore", L_FrmLavorazioni);
    L_TxtPuntatore->setMaxLength(50);

    L_CmdAggiungi = ui::named<QPushButton>("L_CmdAggiungi", "AGGIUNGI", L_FrmLavorazioni);
    L_CmdCorreggi = ui::named<QPushButton>("L_CmdCorreggi", "CORREGGI", L_FrmLavorazioni);
    L_CmdCancella = ui::named<QPushButton>("L_CmdCancella", "CANCELLA", L_FrmLavorazioni);
    L_FlxLavorazioni = ui::named<ui::Grid>("L_FlxLavorazioni", L_FrmLavorazioni);

    auto* campi = new QGridLayout;
    campi->addWidget(new QLabel("Numero:", L_FrmLavorazioni), 0, 0);
    campi->addWidget(L_LblNJob, 0, 1);
    campi->addWidget(new QLabel("Descrizione", L_FrmLavorazioni), 1, 0);
    campi->addWidget(L_TxtDescrizione, 1, 1, 1, 3);
    campi->addWidget(new QLabel("Data", L_FrmLavorazioni), 2, 0);
    campi->addWidget(L_TxtData, 2, 1);
    campi->addWidget(new QLabel("Puntatore ", L_FrmLavorazioni), 3, 0);
    campi->addWidget(L_TxtPuntatore, 3, 1, 1, 3);
    campi->addWidget(tipo, 0, 4, 2, 1);
    campi->addWidget(puntatore, 2, 4, 2, 1);
    campi->setColumnStretch(3, 1);

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(L_CmdAggiungi);
    comandi->addWidget(L_CmdCorreggi);
    comandi->addWidget(L_CmdCancella);
    comandi->addStretch();

    auto* riquadro = new QVBoxLayout(L_FrmLavorazioni);
    riquadro->addLayout(campi);
    riquadro->addLayout(comandi);
    riquadro->addWidget(L_FlxLavorazioni, 1);

    auto* testata = new QGridLayout;
    testata->addWidget(L_LblNomeCliente, 0, 0, 1, 2);
    testata->addWidget(L_LblCodiceCliente, 0, 2);
    testata->addWidget(new QLabel("Numero Fascola", &pagina), 0, 3, Qt::AlignRight);
    testata->addWidget(L_LblNpra, 0, 4);
    testata->addWidget(new QLabel("Incarico:", &pagina), 1, 0);
    testata->addWidget(L_LblTitolo, 1, 1, 1, 2);
    testata->addWidget(new QLabel("Numero:", &pagina), 1, 3, Qt::AlignRight);
    testata->addWidget(L_LblNtask, 1, 4);
    testata->setColumnStretch(5, 1);  // the labels keep their widths: the room left goes after them

    auto* layout = new QVBoxLayout(&pagina);
    layout->addLayout(testata);
    layout->addWidget(L_FrmLavorazioni, 1);
}

// Another case file, or none: no task is chosen any more.
void TabLavorazioni::FascolaCambiata() {
    MostraFascolaInTestata(L_LblNomeCliente, L_LblCodiceCliente, L_LblNpra);
    L_LblTitolo->setText(FascolaCorrente().TitoloIncaricoScelto());
    L_LblNtask->setText(FascolaCorrente().NtaskScelto());
    L_PulisciCampi();
    L_VuotaGriglia();
}

void TabLavorazioni::IncaricoCambiato() {
    L_LblTitolo->setText(FascolaCorrente().TitoloIncaricoScelto());
    L_LblNtask->setText(FascolaCorrente().NtaskScelto());
    L_PulisciCampi();
    L_VuotaGriglia();
    L_MostraGriglia();
}

void TabLavorazioni::L_VuotaGriglia() { griglia_->Riduci(); }

void TabLavorazioni::L_MostraGriglia() {
    const FascolaCorrenteRec& f = FascolaCorrente();
    if (!f.InVisione() || f.NtaskScelto().isEmpty()) {
        L_VuotaGriglia();
        return;
    }
    std::vector<Lavorazione> lavori;
    if (!SuArchivio("Funzione di visualizzazione griglia delle lavorazioni", [&](db::Database& archivio) {
            lavori = LavorazioniDellIncarico(archivio, f.CodiceClienteCorrente(), f.NpraCorrente(), f.NtaskScelto());
        }))
        return;
    L_VuotaGriglia();
    if (!lavori.empty()) griglia_->Mostra(std::move(lavori));
}

void TabLavorazioni::L_PulisciCampi() {
    Deseleziona(L_OptTipoDocumento, L_OptTipoLavorazione);
    scelta_.reset();
    L_LblNJob->clear();
    L_TxtDescrizione->clear();
    Deseleziona(L_OptPuntaNomeFile, L_OptPuntaIndicedoc);
    L_TxtData->clear();
    L_TxtPuntatore->clear();
    righe_.EvidenziaRiga("L", 0);
}

bool TabLavorazioni::L_Verificatore() {
    const bool tipoPuntatore = L_OptPuntaNomeFile->isChecked() || L_OptPuntaIndicedoc->isChecked();
    const struct {
        bool fallito;
        const char* testo;
        QWidget* campo;
    } controlli[] = {
        {!L_OptTipoDocumento->isChecked() && !L_OptTipoLavorazione->isChecked(),
         "Indicare la tipologia della voce che si sta inserendo", L_OptTipoLavorazione},
        {L_TxtDescrizione->text().isEmpty(), "dare una descrizione della voce che si sta definendo", L_TxtDescrizione},
        {!basic::IsDate(L_TxtData->text()), "Indicare la data di definizione della voce", L_TxtData},
        {!L_TxtPuntatore->text().isEmpty() && !tipoPuntatore, "Indicare il tipo puntatore che si è definito",
         L_OptPuntaNomeFile},
        {L_TxtPuntatore->text().isEmpty() && tipoPuntatore,
         "Indicare il valore del puntatore alla voce in definizione", L_TxtPuntatore},
    };
    for (const auto& c : controlli) {
        if (!c.fallito) continue;
        messaggio(QString::fromUtf8(c.testo));
        c.campo->setFocus();
        return false;
    }
    return true;
}

Lavorazione TabLavorazioni::campi() const {
    Lavorazione l;
    l.tipo = L_OptTipoDocumento->isChecked() ? "D" : "L";
    l.descrizione = L_TxtDescrizione->text();
    l.data = DataDigitata(L_TxtData->text());
    l.idpuntatore = L_OptPuntaNomeFile->isChecked() ? "P" : "I";
    l.puntatore = L_TxtPuntatore->text();
    return l;
}

void TabLavorazioni::L_CmdAggiungi_Click() {
    // Without a task the job would belong to none.
    const FascolaCorrenteRec& f = FascolaCorrente();
    if (!f.InVisione() || f.NtaskScelto().isEmpty()) {
        messaggio("Scegliere prima nella scheda Incarichi l'incarico a cui aggiungere la voce");
        return;
    }
    if (!L_Verificatore()) return;

    Lavorazione nuova = campi();
    EsitoAggiunta esito = EsitoAggiunta::Aggiunta;
    if (!SuArchivio("Funzione di aggiunge nuova lavorazione", [&](db::Database& archivio) {
            esito = AggiungiLavorazione(archivio, f.CodiceClienteCorrente(), f.NpraCorrente(), f.NtaskScelto(), nuova);
        }))
        return;
    if (esito == EsitoAggiunta::NumerazioneEsaurita) {
        messaggio(
            "L'incarico ha già la voce 9999, l'ultima che si può numerare: non si possono aggiungere altre voci");
        return;
    }
    L_PulisciCampi();
    L_MostraGriglia();
}

void TabLavorazioni::L_CmdCorreggi_Click() {
    if (!L_Verificatore()) return;
    if (!scelta_) return;
    if (!SuArchivio("Funzione di correzione diuna lavorazione",
                    [&](db::Database& archivio) { CorreggiLavorazione(archivio, *scelta_, campi()); }))
        return;
    L_PulisciCampi();
    L_MostraGriglia();
}

void TabLavorazioni::L_CmdCancella_Click() {
    if (!L_Verificatore()) return;
    if (FascolaCorrente().NtaskScelto().isEmpty()) return;
    bool cancellata = false;
    if (scelta_) {
        EsitoCancellazioneLavorazione esito = EsitoCancellazioneLavorazione::Cancellata;
        if (!SuArchivio("Funzione di cancella lavorazione",
                        [&](db::Database& archivio) { esito = CancellaLavorazione(archivio, *scelta_); }))
            return;
        // Removing it would leave its fee items pointing at a job that is no more.
        if (esito == EsitoCancellazioneLavorazione::HaCompetenze)
            messaggio("Alla voce sono collegate delle competenze: la voce non può essere cancellata");
        cancellata = esito == EsitoCancellazioneLavorazione::Cancellata;
    }
    L_PulisciCampi();
    L_MostraGriglia();
    // The fee tab pointed at the job just deleted: new fee items go to the task itself again.
    if (cancellata)
        FascolaCorrente().DestinaCompetenze(FascolaCorrente().NtaskCompetenze(), FascolaCorrenteRec::Nessuno);
}

void TabLavorazioni::L_FlxLavorazioni_Click(int riga) {
    righe_.RigaCliccata = riga;
    L_FlxLavorazioni->setRow(riga);
    L_FlxLavorazioni->setCol(0);
    const Lavorazione* listata = griglia_->Listata(riga);
    if (!listata) {
        L_PulisciCampi();
        return;
    }

    FascolaCorrenteRec& f = FascolaCorrente();
    std::optional<Lavorazione> letta;
    if (!SuArchivio("Funzione di puntamento a una lavorazione", [&](db::Database& archivio) {
            letta = LeggiLavorazione(archivio, f.CodiceClienteCorrente(), f.NpraCorrente(), f.NtaskScelto(),
                                     listata->njob);
        }))
        return;
    if (!letta) return;

    righe_.EvidenziaRiga("L", 1);
    const bool documento = letta->tipo == "D";
    L_OptTipoDocumento->setChecked(documento);
    L_OptTipoLavorazione->setChecked(!documento);
    L_LblNJob->setText(letta->njob);
    L_TxtDescrizione->setText(letta->descrizione);
    // A job saved without a pointer shows no pointer kind, so that it passes the checks that
    // pair the kind with a value and can be corrected and deleted as it is.
    if (letta->puntatore.isEmpty())
        Deseleziona(L_OptPuntaNomeFile, L_OptPuntaIndicedoc);
    else if (letta->idpuntatore == "P")
        L_OptPuntaNomeFile->setChecked(true);
    else
        L_OptPuntaIndicedoc->setChecked(true);
    L_TxtData->setText(DataMostrata(letta->data));
    L_TxtPuntatore->setText(letta->puntatore);
    scelta_ = std::move(letta);
    // New fee items go to this job of the task they already go to.
    f.DestinaCompetenze(f.NtaskCompetenze(), scelta_->njob);
}
