#include "foundation/FrmComandoSql.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <sqlite3.h>

#include "foundation/Ambiente.h"
#include "foundation/Generale.h"
#include "foundation/Procedura.h"
#include "platform/db/Database.h"
#include "platform/ui/MessageService.h"

namespace {

constexpr int ErroreSqlNonValida = 3129;
constexpr int ErroreQuerySelezione = 3065;
constexpr int ErroreTestoDopoIstruzione = 3142;

// Runs `comando` as an action query: exactly one statement, and one that returns no rows.
// A select would run and show nothing, and a second statement after the first would be
// dropped without a word, so both are refused as the old engine refused them.
void EseguiQueryAzione(db::Database& archivio, const QString& comando) {
    const QByteArray sql = comando.toUtf8();
    sqlite3_stmt* grezzo = nullptr;
    const char* resto = nullptr;
    int rc = sqlite3_prepare_v2(archivio.handle(), sql.constData(), int(sql.size()), &grezzo, &resto);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> istruzione(grezzo, sqlite3_finalize);
    if (rc != SQLITE_OK) archivio.fail(rc, "prepare");
    if (!istruzione)
        throw db::DbError(ErroreSqlNonValida, "Istruzione SQL non valida. Prevista 'DELETE', 'INSERT', "
                                              "'PROCEDURE', 'SELECT' o 'UPDATE'.");
    if (sqlite3_column_count(istruzione.get()) > 0)
        throw db::DbError(ErroreQuerySelezione, "Impossibile eseguire una query di selezione.");

    sqlite3_stmt* seguente = nullptr;
    rc = sqlite3_prepare_v2(archivio.handle(), resto, -1, &seguente, nullptr);
    sqlite3_finalize(seguente);
    if (rc != SQLITE_OK || seguente)
        throw db::DbError(ErroreTestoDopoIstruzione, "Caratteri trovati dopo la fine dell'istruzione SQL.");

    rc = sqlite3_step(istruzione.get());
    if (rc != SQLITE_DONE) archivio.fail(rc, "execute");
}

}  // namespace

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

    resize(560, 320);
    CentraForm(*this);
}

void FrmComandoSql::CmdEsegui_Click() {
    const QString comando = TxtComandoSql->toPlainText();
    if (comando.trimmed().isEmpty()) {
        ui::MessageService::show("Se non sai come usare SQL è bene che rinunci!");
        return;
    }

    Procedura proc("Routine di esecuzione comando SQL");
    std::unique_ptr<db::Database> archivio;
    if (!proc.esegui([&] { archivio = db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString()); }))
        return;
    if (!archivio) return;
    if (!proc.esegui([&] { EseguiQueryAzione(*archivio, comando); })) return;
    archivio.reset();
    // A statement skipped after an error did not run: claiming success would mislead.
    if (proc.fallita()) return;

    ui::MessageService::show("Il comando è stato eseguito con successo", {}, ui::Buttons::Ok,
                             ui::Icon::Information);
    TxtComandoSql->clear();
}
