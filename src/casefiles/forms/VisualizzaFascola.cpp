#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <optional>

#include "accounting/engine/LetturaContabile.h"
#include "casefiles/engine/ClientiFascola.h"
#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "casefiles/forms/SchedeFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/DatiCliente.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/RefillCombo.h"

namespace {

// The columns of a `fascola` row that the mask shows.
struct RigaFascola {
    QString cliente;
    QString npra;
    QString data;
    QString criterio;
    QString camponote;
    QString rifcli;
    bool stato = false;
    QString numpranno;
};

RigaFascola leggiRiga(const db::Recordset& rs) {
    RigaFascola r;
    r.cliente = rs.field("cliente").textOr(QString());
    r.npra = rs.field("npra").textOr(QString());
    if (const auto data = basic::ToDate(rs.field("data").textOr(QString()))) r.data = data->toString("dd/MM/yyyy");
    r.criterio = rs.field("criterio").textOr(QString());
    r.camponote = rs.field("camponote").textOr(QString());
    r.rifcli = rs.field("rifcli").textOr(QString());
    r.stato = rs.field("stato").boolOr(false);
    r.numpranno = rs.field("numpranno").textOr(QString());
    return r;
}

QString clienteSconosciuto() {
    return AmbienteLavoro().CollegatoContabilita ? QStringLiteral("??? Cliente non definito in contabilità ???")
                                                 : QStringLiteral("??? Cliente non definito in archivio ???");
}

}  // namespace

void MascheraFascola::Visualizza() {
    Procedura proc("Funzione di visualizza i dati di una fascola");
    RigaFascola riga;
    if (!proc.essenziale([&] { riga = leggiRiga(*RsSelezionati); })) return;

    LblCodiceCliente->setText(riga.cliente);
    FascolaCorrente().CodiceClienteCorrente = riga.cliente;

    std::optional<QString> nome;
    if (!proc.esegui([&] { nome = NomeDelCliente(riga.cliente); })) return;
    DbcNomeCliente->setEditText(nome.value_or(clienteSconosciuto()));
    const QString nomeMostrato = DbcNomeCliente->currentText();
    FascolaCorrente().NomeClienteCorrente = nomeMostrato;

    // A letter outside the five leaves no option on, rather than the previous case file's.
    spegniCriteri();
    mostraCriterio(riga.criterio);
    TxtData->setText(riga.data);
    TxtNote->setText(riga.camponote);
    LblNpra->setText(riga.npra);
    FascolaCorrente().NpraCorrente = riga.npra;
    TxtRifCli->setText(riga.rifcli);
    ChkStato->setChecked(riga.stato);
    LblNumeroAssoluto->setText(riga.numpranno);

    LetturaDatiCliente(riga.cliente);
    DatiClienteFattura().Nome = nomeMostrato;

    PassaFascolaAlleSchede(finestra_, nomeMostrato, riga.cliente, riga.npra);
    // The exposure enquiry works on the case file on display.
    finestra_.AbilitaEsposizione(true);
}
