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

#include "casefiles/forms/CampiIncarichi.h"
#include "casefiles/forms/EvidenziaRiga.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/system/MessageService.h"
#include "foundation/engine/Richiesto.h"

namespace {

const QString FormatoGriglia =
    QStringLiteral("^ Numero |^      Data      |^      Tipo      |^                    Descrizione                     ");
constexpr int RigheMinime = 9;

const char* const SqlLavorazioni = "select * from job where cliente=? and npra=? and ntask=? order by njob";
const char* const SqlLavorazione = "select * from job where cliente=? and npra=? and ntask=? and njob=?";
const char* const SqlCompetenzeLavorazione =
    "select * from competenze where cliente=? and npra=? and ntask=? and njob=?";

void messaggio(const QString& testo) {
    ui::MessageService::show(testo);
}

}  // namespace

TabLavorazioni::TabLavorazioni(QWidget& pagina, Evidenziatore& righe) : QObject(&pagina), righe_(righe) {
    setObjectName("TabLavorazioni");
    creaControlli(pagina);
    L_FlxLavorazioni->setRows(RigheMinime);
    L_FlxLavorazioni->setFormatString(FormatoGriglia);
    righe_.RegistraGriglia("L", *L_FlxLavorazioni);

    connect(L_CmdAggiungi, &QPushButton::clicked, this, &TabLavorazioni::L_CmdAggiungi_Click);
    connect(L_CmdCorreggi, &QPushButton::clicked, this, &TabLavorazioni::L_CmdCorreggi_Click);
    connect(L_CmdCancella, &QPushButton::clicked, this, &TabLavorazioni::L_CmdCancella_Click);
    connect(L_FlxLavorazioni, &ui::Grid::clicked, this, &TabLavorazioni::L_FlxLavorazioni_Click);
    ui::onFocusChange(*L_TxtData, [this] { L_TxtData_GotFocus(); }, {});
}

void TabLavorazioni::creaControlli(QWidget& pagina) {
    L_LblNomeCliente = Valore("L_LblNomeCliente", &pagina);
    L_LblCodiceCliente = Valore("L_LblCodiceCliente", &pagina);
    L_LblNpra = Valore("L_LblNpra", &pagina);
    L_LblTitolo = Valore("L_LblTitolo", &pagina);
    L_LblNtask = Valore("L_LblNtask", &pagina);

    L_FrmLavorazioni = ui::named<QGroupBox>("L_FrmLavorazioni", "LAVORAZIONI e/o DOCUMENTI", &pagina);
    L_LblNJob = Valore("L_LblNJob", L_FrmLavorazioni);

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
    testata->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(&pagina);
    layout->addLayout(testata);
    layout->addWidget(L_FrmLavorazioni, 1);
}

void TabLavorazioni::L_VuotaGriglia() {
    ui::Grid& g = *L_FlxLavorazioni;
    g.setRows(RigheMinime);
    g.setCols(4);
    SvuotaGriglia(g, FormatoGriglia);
}

void TabLavorazioni::L_MostraGriglia() {
    Procedura proc("Funzione di visualizzazione griglia delle lavorazioni");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> lavori;
    const db::Params chiave = {L_LblCodiceCliente->text(), L_LblNpra->text(), L_LblNtask->text()};

    if (!ApriRighe(proc, archivio, lavori, SqlLavorazioni, chiave)) return;
    bool nessuno = true;
    if (!proc.esegui([&] { nessuno = Richiesto(lavori).EOF_(); })) return;
    L_VuotaGriglia();
    if (nessuno) return;

    ui::Grid& g = *L_FlxLavorazioni;
    RiempiGriglia(proc, lavori, g, RigheMinime, FormatoGriglia, [&](const db::Recordset& r, int i) {
        g.setText(i, 0, r["njob"].textOr(QString()));
        g.setText(i, 1, DataMostrata(r["data"]));
        g.setText(i, 2, r["tipo"].textOr(QString()) == "D" ? "Documento" : "Lavorazione");
        g.setText(i, 3, Colonna(r["descrizione"].textOr(QString()), 30));
    });
}

void TabLavorazioni::L_PulisciCampi() {
    Deseleziona(L_OptTipoDocumento, L_OptTipoLavorazione);
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

namespace {

// The fields that the add and the correction write alike; the key columns are the add's.
void scriviCampi(db::Recordset& r, const TabLavorazioni& t) {
    r.setField("data", DataArchiviata(t.L_TxtData->text()));
    r.setField("tipo", t.L_OptTipoDocumento->isChecked() ? "D" : "L");
    r.setField("descrizione", t.L_TxtDescrizione->text());
    r.setField("idpuntatore", t.L_OptPuntaNomeFile->isChecked() ? "P" : "I");
    r.setField("puntatore", t.L_TxtPuntatore->text());
}

}  // namespace

void TabLavorazioni::L_CmdAggiungi_Click() {
    // Without a task the job would be stored under an empty task number.
    if (L_LblNtask->text().isEmpty() || L_LblCodiceCliente->text().isEmpty() || L_LblNpra->text().isEmpty()) {
        messaggio("Scegliere prima nella scheda Incarichi l'incarico a cui aggiungere la voce");
        return;
    }
    if (!L_Verificatore()) return;

    Procedura proc("Funzione di aggiunge nuova lavorazione");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> lavori;
    const db::Params chiave = {L_LblCodiceCliente->text(), L_LblNpra->text(), L_LblNtask->text()};

    if (!ApriRighe(proc, archivio, lavori, SqlLavorazioni, chiave)) return;
    const std::optional<QString> numero = NumeroSuccessivo(
        proc, lavori, "njob",
        "L'incarico ha già la voce 9999, l'ultima che si può numerare: non si possono aggiungere altre voci");
    if (!numero) return;
    L_LblNJob->setText(*numero);

    if (!AggiungiRiga(proc, archivio, lavori, "job", [&](db::Recordset& r) {
            r.setField("cliente", L_LblCodiceCliente->text());
            r.setField("npra", L_LblNpra->text());
            r.setField("ntask", L_LblNtask->text());
            r.setField("njob", L_LblNJob->text());
            scriviCampi(r, *this);
        }))
        return;
    lavori.reset();
    archivio.reset();

    L_PulisciCampi();
    L_MostraGriglia();
}

void TabLavorazioni::L_CmdCorreggi_Click() {
    if (!L_Verificatore()) return;
    if (L_LblNJob->text().isEmpty()) return;

    Procedura proc("Funzione di correzione diuna lavorazione");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> lavoro;
    const db::Params chiave = {L_LblCodiceCliente->text(), L_LblNpra->text(), L_LblNtask->text(),
                               L_LblNJob->text()};

    if (!CorreggiRiga(proc, archivio, lavoro, SqlLavorazione, chiave,
                      [&](db::Recordset& r) { scriviCampi(r, *this); }))
        return;
    lavoro.reset();
    archivio.reset();

    L_PulisciCampi();
    L_MostraGriglia();
}

void TabLavorazioni::L_CmdCancella_Click() {
    if (!L_Verificatore()) return;
    if (L_LblNtask->text().isEmpty()) return;

    Procedura proc("Funzione di cancella lavorazione");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> righe;
    const db::Params chiave = {L_LblCodiceCliente->text(), L_LblNpra->text(), L_LblNtask->text(),
                               L_LblNJob->text()};
    bool cancellata = false;

    const bool completata = [&] {
        if (!proc.esegui([&] { archivio = ApriArchivioFascole(); })) return false;
        bool conCompetenze = false;
        if (!CercaRighe(proc, archivio, righe, SqlCompetenzeLavorazione, chiave, conCompetenze)) return false;
        righe.reset();
        if (conCompetenze) {
            // Removing it would leave its fee items pointing at a job that is no more.
            messaggio("Alla voce sono collegate delle competenze: la voce non può essere cancellata");
            return true;
        }
        return CancellaRiga(proc, archivio, righe, SqlLavorazione, chiave, cancellata);
    }();
    if (!completata) return;
    righe.reset();
    archivio.reset();

    L_PulisciCampi();
    L_MostraGriglia();
    // The fee tab pointed at the job just deleted: new fee items go to the task itself again.
    if (cancellata) emit CompetenzeSuLavorazione(QStringLiteral("0000"));
}

void TabLavorazioni::L_FlxLavorazioni_Click(int riga) {
    righe_.RigaCliccata = riga;
    L_FlxLavorazioni->setRow(riga);
    L_FlxLavorazioni->setCol(0);
    const QString njob = L_FlxLavorazioni->text(riga, 0);
    if (njob.isEmpty()) {
        L_PulisciCampi();
        return;
    }

    Procedura proc("Funzione di puntamento a una lavorazione");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> lavoro;
    const db::Params chiave = {L_LblCodiceCliente->text(), L_LblNpra->text(), L_LblNtask->text(), njob};

    if (!ApriRighe(proc, archivio, lavoro, SqlLavorazione, chiave)) return;
    bool trovato = false;
    if (!proc.esegui([&] { trovato = !Richiesto(lavoro).EOF_(); })) return;
    if (!trovato) return;

    righe_.EvidenziaRiga("L", 1);
    proc.esegui([&] {
        const db::Recordset& r = Richiesto(lavoro);
        const bool documento = r["tipo"].textOr(QString()) == "D";
        L_OptTipoDocumento->setChecked(documento);
        L_OptTipoLavorazione->setChecked(!documento);
        L_LblNJob->setText(r["njob"].textOr(QString()));
        L_TxtDescrizione->setText(r["descrizione"].textOr(QString()));
        // A job saved without a pointer shows no pointer kind, so that it passes the checks
        // that pair the kind with a value and can be corrected and deleted as it is.
        const QString puntatore = r["puntatore"].textOr(QString());
        if (puntatore.isEmpty())
            Deseleziona(L_OptPuntaNomeFile, L_OptPuntaIndicedoc);
        else if (r["idpuntatore"].textOr(QString()) == "P")
            L_OptPuntaNomeFile->setChecked(true);
        else
            L_OptPuntaIndicedoc->setChecked(true);
        L_TxtData->setText(DataMostrata(r["data"]));
        L_TxtPuntatore->setText(puntatore);
        emit CompetenzeSuLavorazione(L_LblNJob->text());
    });
}

void TabLavorazioni::L_TxtData_GotFocus() {
    if (L_TxtData->text().isEmpty()) L_TxtData->setText(basic::Format(basic::Today(), "dd/mm/yyyy"));
}
