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

#include "casefiles/forms/CampiIncarichi.h"
#include "casefiles/forms/EvidenziaRiga.h"
#include "casefiles/forms/TabLavorazioni.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/system/MessageService.h"
#include "foundation/engine/Richiesto.h"

namespace {

const QString FormatoGriglia = QStringLiteral(
    "^   Numero   |^      Data      |^   Stato   |^                                Titolo                                 ");
constexpr int RigheMinime = 12;

const char* const SqlIncarichi = "select * from task where cliente=? and npra=? order by ntask";
const char* const SqlIncarico = "select * from task where cliente=? and npra=? and ntask=?";
const char* const SqlLavorazioniIncarico = "select * from job where cliente=? and npra=? and ntask=?";
const char* const SqlCompetenzeIncarico = "select * from competenze where cliente=? and npra=? and ntask=?";

const QString NessunIncarico = QStringLiteral(".");
const QString Nessuno = QStringLiteral("0000");

void messaggio(const QString& testo) {
    ui::MessageService::show(testo);
}

}  // namespace

TabIncarichi::TabIncarichi(QWidget& pagina, TabLavorazioni& lavorazioni, Evidenziatore& righe)
    : QObject(&pagina), lavorazioni_(lavorazioni), righe_(righe) {
    setObjectName("TabIncarichi");
    creaControlli(pagina);
    I_FlxIncarichi->setRows(RigheMinime);
    I_FlxIncarichi->setFormatString(FormatoGriglia);
    righe_.RegistraGriglia("I", *I_FlxIncarichi);

    connect(I_CmdAggiungi, &QPushButton::clicked, this, &TabIncarichi::I_CmdAggiungi_Click);
    connect(I_CmdCorreggi, &QPushButton::clicked, this, &TabIncarichi::I_CmdCorreggi_Click);
    connect(I_CmdCancella, &QPushButton::clicked, this, &TabIncarichi::I_CmdCancella_Click);
    connect(I_FlxIncarichi, &ui::Grid::clicked, this, &TabIncarichi::I_FlxIncarichi_Click);
    ui::onFocusChange(*I_TxtData, [this] { I_TxtData_GotFocus(); }, {});
}

void TabIncarichi::creaControlli(QWidget& pagina) {
    I_LblNomeCliente = Valore("I_LblNomeCliente", &pagina);
    I_LblCodiceCliente = Valore("I_LblCodiceCliente", &pagina);
    I_LblNpra = Valore("I_LblNpra", &pagina);

    auto* riquadro = new QGroupBox(&pagina);
    I_LblNtask = Valore("I_LblNtask", riquadro);
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
    testata->addWidget(I_LblNomeCliente, 1);
    testata->addWidget(I_LblCodiceCliente);
    testata->addWidget(new QLabel("Numero Fascola", &pagina));
    testata->addWidget(I_LblNpra);

    auto* layout = new QVBoxLayout(&pagina);
    layout->addLayout(testata);
    layout->addWidget(riquadro, 1);
}

void TabIncarichi::I_VuotaGriglia() {
    SvuotaGriglia(*I_FlxIncarichi, FormatoGriglia);
}

void TabIncarichi::I_MostraGriglia() {
    Procedura proc("Funzione di visualizzazione griglia degli incarichi");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> incarichi;
    const db::Params fascola = {I_LblCodiceCliente->text(), I_LblNpra->text()};

    if (!ApriRighe(proc, archivio, incarichi, SqlIncarichi, fascola)) return;
    bool nessuno = true;
    if (!proc.esegui([&] { nessuno = Richiesto(incarichi).EOF_(); })) return;
    if (nessuno) return;

    I_VuotaGriglia();
    ui::Grid& g = *I_FlxIncarichi;
    RiempiGriglia(proc, incarichi, g, RigheMinime, FormatoGriglia, [&](const db::Recordset& r, int i) {
        g.setText(i, 0, r["ntask"].textOr(QString()));
        g.setText(i, 1, DataMostrata(r["data"]));
        g.setText(i, 2, r["stato"].boolOr(false) ? "aperto" : "chiuso");
        g.setText(i, 3, Colonna(r["titolo"].textOr(QString()), 30));
    });
}

void TabIncarichi::I_PulisciCampi() {
    I_TxtData->clear();
    I_TxtTitolo->clear();
    I_TxtNote->clear();
    I_ChkStato->setChecked(true);
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

namespace {

// The fields that the add and the correction write alike; the key columns are the add's.
void scriviCampi(db::Recordset& r, const TabIncarichi& t) {
    r.setField("data", DataArchiviata(t.I_TxtData->text()));
    r.setField("titolo", t.I_TxtTitolo->text());
    r.setField("camponote", t.I_TxtNote->text());
    r.setField("stato", t.I_ChkStato->isChecked());
}

}  // namespace

void TabIncarichi::I_CmdAggiungi_Click() {
    // Without a case file on display the task would be stored under empty keys.
    if (I_LblCodiceCliente->text().isEmpty() || I_LblNpra->text().isEmpty()) {
        messaggio("Visualizzare prima la fascola a cui aggiungere l'incarico");
        return;
    }
    if (!I_Verificatore()) return;

    Procedura proc("Funzione di definizione nuovo incarico");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> incarichi;
    const db::Params fascola = {I_LblCodiceCliente->text(), I_LblNpra->text()};

    if (!ApriRighe(proc, archivio, incarichi, SqlIncarichi, fascola)) return;
    const std::optional<QString> numero = NumeroSuccessivo(
        proc, incarichi, "ntask",
        "La fascola ha già l'incarico 9999, l'ultimo che si può numerare: non si possono aggiungere altri incarichi");
    if (!numero) return;
    I_LblNtask->setText(*numero);

    if (!AggiungiRiga(proc, archivio, incarichi, "task", [&](db::Recordset& r) {
            r.setField("cliente", I_LblCodiceCliente->text());
            r.setField("npra", I_LblNpra->text());
            r.setField("ntask", I_LblNtask->text());
            scriviCampi(r, *this);
        }))
        return;
    incarichi.reset();
    archivio.reset();

    I_PulisciCampi();
    I_MostraGriglia();
}

void TabIncarichi::I_CmdCorreggi_Click() {
    if (!I_Verificatore()) return;
    if (I_LblNtask->text().isEmpty()) return;

    Procedura proc("Funzione di correzione incarico puntato");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> incarico;
    const db::Params chiave = {I_LblCodiceCliente->text(), I_LblNpra->text(), I_LblNtask->text()};

    if (!CorreggiRiga(proc, archivio, incarico, SqlIncarico, chiave,
                      [&](db::Recordset& r) { scriviCampi(r, *this); }))
        return;
    incarico.reset();
    archivio.reset();

    I_PulisciCampi();
    I_MostraGriglia();
}

void TabIncarichi::I_CmdCancella_Click() {
    if (!I_Verificatore()) return;
    if (I_LblNtask->text().isEmpty()) return;

    Procedura proc("Funzione di cancellazione incarico in fattura");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> righe;
    const QString ntask = I_LblNtask->text();
    const db::Params chiave = {I_LblCodiceCliente->text(), I_LblNpra->text(), ntask};
    bool cancellato = false;

    // Rows of `sql` that refer to the task; true when there are any.
    auto collegate = [&](const char* sql, bool& trovate) {
        if (!CercaRighe(proc, archivio, righe, sql, chiave, trovate)) return false;
        righe.reset();
        return true;
    };

    const bool completata = [&] {
        if (!proc.esegui([&] { archivio = ApriArchivioFascole(); })) return false;
        bool conLavorazioni = false;
        if (!collegate(SqlLavorazioniIncarico, conLavorazioni)) return false;
        if (conLavorazioni) {
            messaggio("L'incarico ha lavorazioni o documenti: cancellarli prima di cancellare l'incarico");
            return true;
        }
        // Removing it would leave its fee items pointing at a task that is no more.
        bool conCompetenze = false;
        if (!collegate(SqlCompetenzeIncarico, conCompetenze)) return false;
        if (conCompetenze) {
            messaggio("All'incarico sono collegate delle competenze: l'incarico non può essere cancellato");
            return true;
        }
        return CancellaRiga(proc, archivio, righe, SqlIncarico, chiave, cancellato);
    }();
    if (!completata) return;
    righe.reset();
    archivio.reset();

    I_PulisciCampi();
    I_MostraGriglia();
    if (!cancellato) return;
    // Nothing may go on pointing at the task just deleted: neither the jobs tab, whose
    // adds would store jobs under it, nor the fee tab, whose adds would store fee items.
    if (lavorazioni_.L_LblNtask->text() == ntask) {
        lavorazioni_.L_LblTitolo->clear();
        lavorazioni_.L_LblNtask->clear();
    }
    emit CompetenzeSuIncarico(Nessuno, Nessuno);
}

void TabIncarichi::I_FlxIncarichi_Click(int riga) {
    righe_.RigaCliccata = riga;
    I_FlxIncarichi->setRow(riga);
    I_FlxIncarichi->setCol(0);
    const QString ntask = I_FlxIncarichi->text(riga, 0);
    if (ntask.isEmpty()) {
        I_PulisciCampi();
        righe_.EvidenziaRiga("I", 0);
        return;
    }

    Procedura proc("Funzione di puntamento ad un incarico");
    std::unique_ptr<db::Database> archivio;
    std::unique_ptr<db::Recordset> incarico;
    const db::Params chiave = {I_LblCodiceCliente->text(), I_LblNpra->text(), ntask};

    if (!ApriRighe(proc, archivio, incarico, SqlIncarico, chiave)) return;
    bool trovato = false;
    if (!proc.esegui([&] { trovato = !Richiesto(incarico).EOF_(); })) return;
    if (!trovato) return;

    righe_.EvidenziaRiga("I", 1);
    QString titolo;
    if (!proc.esegui([&] {
            const db::Recordset& r = Richiesto(incarico);
            titolo = r["titolo"].textOr(QString());
            I_TxtData->setText(DataMostrata(r["data"]));
            I_TxtTitolo->setText(titolo);
            I_TxtNote->setText(r["camponote"].textOr(QString()));
            I_ChkStato->setChecked(r["stato"].boolOr(false));
            I_LblNtask->setText(r["ntask"].textOr(QString()));
        }))
        return;
    incarico.reset();
    archivio.reset();

    lavorazioni_.L_LblTitolo->setText(titolo);
    lavorazioni_.L_LblNtask->setText(I_LblNtask->text());
    lavorazioni_.L_PulisciCampi();
    lavorazioni_.L_VuotaGriglia();
    lavorazioni_.L_MostraGriglia();

    emit CompetenzeSuIncarico(I_LblNtask->text(), Nessuno);
}

void TabIncarichi::I_TxtData_GotFocus() {
    if (I_TxtData->text().isEmpty()) I_TxtData->setText(basic::Format(basic::Today(), "dd/mm/yyyy"));
}
