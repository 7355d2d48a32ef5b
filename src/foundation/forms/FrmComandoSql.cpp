#include "foundation/forms/FrmComandoSql.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/FormUtil.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/system/MessageService.h"


FrmComandoSql::FrmComandoSql(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmComandoSql");
    setWindowTitle("COMANDO SQL");

    LblAvviso = new QLabel(
        "Attenzione: con questa maschera è possibile eseguire comandi Sql direttamente sulla "
        "banca dati del software installato, questa operazione è riservata a chi sa cosa fare "
        "e come farlo. Si sottolinea che tentativi maldestri di utilizzo di questa funzione "
        "possono condurre alla perdita totale dei dati.",
        this);
    LblAvviso->setObjectName("LblAvviso");
    LblAvviso->setWordWrap(true);
    LblAvviso->setStyleSheet("color: #c00000; font-weight: bold;");

    TxtComandoSql = new QPlainTextEdit(this);
    TxtComandoSql->setObjectName("TxtComandoSql");
    TxtComandoSql->setTabChangesFocus(true);

    CmdEsegui = new QPushButton("ESEGUI COMANDO SQL", this);
    CmdEsegui->setObjectName("CmdEsegui");
    CmdRinuncia = new QPushButton("RINUNCIA", this);
    CmdRinuncia->setObjectName("CmdRinuncia");
    connect(CmdEsegui, &QPushButton::clicked, this, &FrmComandoSql::CmdEsegui_Click);
    connect(CmdRinuncia, &QPushButton::clicked, this, &QDialog::reject);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(CmdEsegui);
    pulsanti->addWidget(CmdRinuncia);

    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(LblAvviso);
    colonna->addWidget(TxtComandoSql, 1);
    colonna->addLayout(pulsanti);
    ui::enterPresses(*this, CmdEsegui);

    resize(560, 320);
    ui::CentraForm(*this);
}

void FrmComandoSql::CmdEsegui_Click() {
    const QString comando = TxtComandoSql->toPlainText();
    if (comando.trimmed().isEmpty()) {
        ui::MessageService::show("Se non sai come usare SQL è bene che rinunci!");
        return;
    }

    Procedura proc("Routine di esecuzione comando SQL");
    // A connection of its own to the case-file archive alone, not the session: a statement
    // typed here must not reach the accounting archive attached to the session, nor leave a
    // transaction of its own open on it.
    std::unique_ptr<db::Database> archivio;
    if (!proc.esegui([&] { archivio = db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString()); }))
        return;
    if (!archivio) return;
    if (!proc.esegui([&] { archivio->executeAction(comando.toStdString()); })) return;
    archivio.reset();
    // A statement skipped after an error did not run: claiming success would mislead.
    if (proc.fallita()) return;

    ui::MessageService::show("Il comando è stato eseguito con successo", {}, ui::Buttons::Ok,
                             ui::Icon::Information);
    TxtComandoSql->clear();
}
