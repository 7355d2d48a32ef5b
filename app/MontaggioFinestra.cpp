#include "app/MontaggioFinestra.h"

#include <optional>
#include <vector>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "clients/forms/FrmAnagrafe.h"
#include "clients/forms/FrmEsposizione.h"
#include "clients/forms/FrmParCli.h"
#include "fees/forms/FrmElefat.h"
#include "fees/forms/TabCompetenze.h"
#include "foundation/engine/Procedura.h"
#include "invoice/forms/TabFattura.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "startup/forms/FrmCollegamentoArchivi.h"

void MontaggioFinestra(FrmFascola& finestra) {
    new TabCompetenze(finestra);
    new TabFattura(finestra);
    finestra.ImpostaDialogo(FrmFascola::Dialogo::CollegamentoArchivi, [](QWidget* sopra) {
        FrmCollegamentoArchivi dialogo(sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::Anagrafe, [](QWidget* sopra) {
        FrmAnagrafe dialogo(sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::ParCli, [](QWidget* sopra) {
        FrmParCli dialogo(sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::Esposizione, [](QWidget* sopra) {
        const FascolaCorrenteRec& fascola = FascolaCorrente();
        FrmEsposizione dialogo(fascola.CodiceClienteCorrente(), fascola.NomeClienteCorrente(), fascola.NpraCorrente(),
                               sopra);
        dialogo.exec();
    });
    finestra.ImpostaDialogo(FrmFascola::Dialogo::Elefat, [](QWidget* sopra) {
        FrmElefat dialogo(sopra);
        dialogo.exec();
    });
    finestra.Maschera->ElementiFatturazioneFissa = AddebitaElementiFissi;
}

// The confirmation holds the archive's write lock while it charges the items, so they are
// read and written on its own connection: another connection would wait for the lock that
// the confirmation keeps until they are written. Priced as the invoice subsystem prices them:
// the client's price list first, then the catalogue; an element missing from the catalogue
// is passed over.
bool AddebitaElementiFissi(db::Database& archivio, const QString& cliente, const QString& npra) {
    const QString nessuno = QStringLiteral("0000");
    constexpr int posti = 8;
    Procedura proc("Funzione di lettura elementi a fatturazione fissa");

    std::vector<QString> elementi;
    if (!proc.essenziale([&] {
            elementi.clear();
            db::Recordset parametri(archivio, "SELECT * FROM parcli WHERE codice = ?", {cliente});
            if (parametri.EOF_()) return;
            for (int k = 1; k <= posti; ++k) {
                const QString elemento = parametri.field("elemento" + std::to_string(k)).textOr(QString());
                if (!elemento.isEmpty() && parametri.field("applica" + std::to_string(k)).textOr(QString()) == "1")
                    elementi.push_back(elemento);
            }
        }))
        return false;

    const QString oggi = basic::Today().toString("yyyy-MM-dd");
    for (const QString& elemento : elementi) {
        if (!proc.essenziale([&] {
                db::Statement catalogo(
                    archivio,
                    "SELECT descrizione, importo, dare, avere, contofat, codicepagamento FROM elefat WHERE codice = ?",
                    {elemento});
                if (!catalogo.step()) return;
                Currency importo = catalogo.column(1).currencyOr();
                QString pagamento = catalogo.column(5).textOr(QString());
                db::Statement listino(archivio,
                                      "SELECT importo, pagamento FROM elecli WHERE cliente = ? AND elemento = ?",
                                      {cliente, elemento});
                if (listino.step()) {
                    importo = listino.column(0).currencyOr();
                    pagamento = listino.column(1).textOr(QString());
                }
                archivio.execute(
                    "INSERT INTO competenze (cliente, npra, ntask, njob, elemento, descrizione, data, importo, "
                    "impofat, primanota, darepn, averepn, idpn, fatturato, ricavi, idfattura, spuntato, pagamento, "
                    "addebitounitario, fattore) VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?, 0, ?, ?, '', 0, ?, '', 0, ?, 0, '')",
                    {cliente, npra, nessuno, nessuno, elemento, catalogo.column(0).textOr(QString()), oggi, importo,
                     catalogo.column(2).textOr(QString()), catalogo.column(3).textOr(QString()),
                     catalogo.column(4).textOr(QString()), pagamento});
            }))
            return false;
    }
    return true;
}
