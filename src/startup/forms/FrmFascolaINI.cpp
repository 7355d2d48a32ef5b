#include "startup/forms/FrmFascolaINI.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/GestioneErrori.h"
#include "platform/ui/FormUtil.h"
#include "platform/db/DbError.h"
#include "platform/system/Paths.h"
#include "platform/system/MessageService.h"
#include "startup/engine/FileIni.h"
#include "startup/forms/SceltaAmbiente.h"

namespace {

const QString TitoloControlli = QStringLiteral("INIZIALIZZAZIONE FASCOLE");

}  // namespace

FrmFascolaINI::FrmFascolaINI(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmFascolaINI");
    setWindowTitle("DEFINIZIONE AMBIENTE LAVORO");

    Label1 = ui::named<QLabel>("Label1",
        "La prima esecuzione del programma prevede la definizione dell'ambiente di lavoro in cui il "
        "programma deve operare. Definire il percorso  e il nome (Pathname) degli archivi su cui il "
        "programma di gestione delle fascole deve lavorare.");
    Label1->setWordWrap(true);
    TxtFascola = ui::named<QLineEdit>("TxtFascola");
    CmdSfoglia1 = ui::named<QPushButton>("CmdSfoglia1", "SFOGLIA");
    ChkZolpa = ui::named<QCheckBox>("ChkZolpa", "Si vuole collegare la gestione fascole alla contabilità");
    FramZolpa = ui::named<QGroupBox>("FramZolpa", "Percorso e nome del DB ditte della contabilità (ditte.mdb)");
    TxtCasaZolpa = ui::named<QLineEdit>("TxtCasaZolpa");
    CmdCasaZolpa = ui::named<QPushButton>("CmdCasaZolpa", "SFOGLIA");
    TxtFatture = ui::named<QLineEdit>("TxtFatture");
    CmdSfoglia3 = ui::named<QPushButton>("CmdSfoglia3", "SFOGLIA");
    CmdConferma = ui::named<QPushButton>("CmdConferma", "CONFERMA");
    CmdRinuncia = ui::named<QPushButton>("CmdRinuncia", "RINUNCIA");

    auto* zolpa = new QHBoxLayout(FramZolpa);
    zolpa->addWidget(TxtCasaZolpa, 1);
    zolpa->addWidget(CmdCasaZolpa);

    auto* campi = new QGridLayout;
    campi->addWidget(new QLabel("Nome e percorso del data base di lavoro:"), 0, 0, 1, 2);
    campi->addWidget(TxtFascola, 1, 0);
    campi->addWidget(CmdSfoglia1, 1, 1);
    campi->addWidget(ChkZolpa, 2, 0, 1, 2);
    campi->addWidget(FramZolpa, 3, 0, 1, 2);
    campi->addWidget(new QLabel("Percorso della cartella di memorizzazione delle fatture:"), 4, 0, 1, 2);
    campi->addWidget(TxtFatture, 5, 0);
    campi->addWidget(CmdSfoglia3, 5, 1);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(CmdConferma);
    pulsanti->addWidget(CmdRinuncia);

    auto* pagina = new QVBoxLayout(this);
    pagina->addWidget(Label1);
    pagina->addLayout(campi);
    pagina->addLayout(pulsanti);

    ui::enterPresses(*this, nullptr);

    connect(ChkZolpa, &QCheckBox::toggled, this, &FrmFascolaINI::ChkZolpa_Click);
    connect(CmdSfoglia1, &QPushButton::clicked, this, &FrmFascolaINI::CmdSfoglia1_Click);
    connect(CmdCasaZolpa, &QPushButton::clicked, this, &FrmFascolaINI::CmdCasaZolpa_Click);
    connect(CmdSfoglia3, &QPushButton::clicked, this, &FrmFascolaINI::CmdSfoglia3_Click);
    connect(CmdConferma, &QPushButton::clicked, this, &FrmFascolaINI::CmdConferma_Click);
    connect(CmdRinuncia, &QPushButton::clicked, this, &FrmFascolaINI::CmdRinuncia_Click);

    resize(620, sizeHint().height());
    ui::CentraForm(*this);
    ChkZolpa->setChecked(false);
    TxtCasaZolpa->clear();
    FramZolpa->setEnabled(false);
}

void FrmFascolaINI::ProponiConfigurazione(const QString& archivio, const QString& ditte, const QString& fatture) {
    TxtFascola->setText(archivio);
    const bool collegato = !ditte.isEmpty() && ditte != "NO";
    ChkZolpa->setChecked(collegato);
    TxtCasaZolpa->setText(collegato ? ditte : QString());
    TxtFatture->setText(fatture == "NO" ? QString() : fatture);
}

void FrmFascolaINI::ChkZolpa_Click() {
    if (!ChkZolpa->isChecked()) TxtCasaZolpa->clear();
    FramZolpa->setEnabled(ChkZolpa->isChecked());
}

// A cancelled chooser leaves the box as it was.
void FrmFascolaINI::CmdSfoglia1_Click() {
    if (const auto scelta = ScegliArchivioFascole(TxtFascola->text())) TxtFascola->setText(*scelta);
}

void FrmFascolaINI::CmdCasaZolpa_Click() {
    const auto scelta = ui::MessageService::current().chooseFile(
        {"Indicare la cartella di lavoro della contabilità Zolpa", "(*.mdb) |*.mdb|", 1, ".mdb",
         CartellaIniziale(TxtCasaZolpa->text()), false, false});
    if (scelta) TxtCasaZolpa->setText(*scelta);
}

void FrmFascolaINI::CmdSfoglia3_Click() {
    if (const auto scelta = ScegliCartellaFatture(TxtFatture->text())) TxtFatture->setText(*scelta);
}

void FrmFascolaINI::CmdConferma_Click() {
    if (TxtFascola->text().isEmpty()) {
        ui::MessageService::show("Si deve definire il pathname dell'archivio di lavoro", TitoloControlli);
        TxtFascola->setFocus();
        return;
    }
    // The start-up opens the archive there, or creates it: a folder that is missing is offered
    // for creation, a path that can serve neither is refused.
    if (!ArchivioFascoleAccettato(TxtFascola->text(), TitoloControlli)) {
        TxtFascola->setFocus();
        return;
    }
    if (ChkZolpa->isChecked()) {
        if (TxtCasaZolpa->text().isEmpty()) {
            ui::MessageService::show("Definire il pathname della cartella di lavoro della contabilità",
                                     TitoloControlli);
            TxtCasaZolpa->setFocus();
            return;
        }
        if (!QFileInfo(sys::LocalPath(TxtCasaZolpa->text())).isFile()) {
            ui::MessageService::show("il DB delle ditte della contabilità non è correttamente definito",
                                     "INIZIALIZZAZIONE PARAMETRI");
            TxtCasaZolpa->setFocus();
            return;
        }
    }

    if (!CartellaFattureAccettata(TxtFatture->text(), TitoloControlli)) {
        TxtFatture->setFocus();
        return;
    }

    AmbienteLavoroRec& ambiente = AmbienteLavoro();
    try {
        ScriviFileIni(ambiente.PathFileIni,
                      {TxtFascola->text(), ChkZolpa->isChecked() ? TxtCasaZolpa->text() : "NO",
                       TxtFatture->text().isEmpty() ? "NO" : TxtFatture->text(), ambiente.VersioneProgramma});
    } catch (const db::DbError& e) {
        ui::MessageService::show("Non è possibile scrivere il file di configurazione" + SeparatoreMessaggi +
                                     QString::fromStdString(e.description),
                                 TitoloControlli);
        return;
    }
    ambiente.IniDefinito = true;
    accept();
}

void FrmFascolaINI::CmdRinuncia_Click() {
    AmbienteLavoro().IniDefinito = false;
    reject();
}
