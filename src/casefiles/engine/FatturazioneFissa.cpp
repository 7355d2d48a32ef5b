#include "casefiles/engine/FatturazioneFissa.h"

#include <memory>
#include <optional>
#include <vector>

#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"

namespace {

constexpr int Posti = 8;
const QString Nessuno = QStringLiteral("0000");

QString codiceApplicazione(const QString& modo) {
    if (modo == "P") return "1";
    if (modo == "I") return "2";
    if (modo == "F") return "3";
    return {};
}

// What the new fee item takes from the catalogue and the price list.
struct Prezzo {
    QString descrizione;
    Currency importo;
    QString dare, avere, ricavi, pagamento;
};

// The element's price for the client; nothing when the element is not in the catalogue.
std::optional<Prezzo> prezzo(db::Database& archivio, const QString& cliente, const QString& elemento) {
    db::Statement catalogo(archivio,
                           "SELECT descrizione, importo, dare, avere, contofat, codicepagamento FROM elefat "
                           "WHERE codice = ?",
                           {elemento});
    if (!catalogo.step()) return std::nullopt;
    Prezzo p{catalogo.column(0).textOr(QString()), catalogo.column(1).currencyOr(),
             catalogo.column(2).textOr(QString()), catalogo.column(3).textOr(QString()),
             catalogo.column(4).textOr(QString()), catalogo.column(5).textOr(QString())};
    db::Statement listino(archivio, "SELECT importo, pagamento FROM elecli WHERE cliente = ? AND elemento = ?",
                          {cliente, elemento});
    if (listino.step()) {
        p.importo = listino.column(0).currencyOr();
        p.pagamento = listino.column(1).textOr(QString());
    }
    return p;
}

const QString DescrizioneFatturazioneFissa = QStringLiteral("Funzione di lettura elementi a fatturazione fissa");

}  // namespace

bool LetturaElementiFatturazioneFissa(db::Database& archivio, QString& modo, const QString& CodiceCliente,
                                      const QString& Npra) {
    const QString applica = codiceApplicazione(modo);
    if (applica.isEmpty()) return true;
    Procedura proc(DescrizioneFatturazioneFissa);

    std::vector<QString> elementi;
    if (!proc.essenziale([&] {
            elementi.clear();
            db::Recordset parametri(archivio, "SELECT * FROM parcli WHERE codice = ?", {CodiceCliente});
            if (parametri.EOF_()) return;
            for (int k = 1; k <= Posti; ++k) {
                const QString elemento = parametri.field("elemento" + std::to_string(k)).textOr(QString());
                if (!elemento.isEmpty() && parametri.field("applica" + std::to_string(k)).textOr(QString()) == applica)
                    elementi.push_back(elemento);
            }
        }))
        return false;
    if (elementi.empty()) return true;

    std::optional<db::Transaction> scrittura;
    if (!proc.essenziale([&] { scrittura.emplace(archivio); })) return false;
    const QString oggi = basic::Today().toString("yyyy-MM-dd");
    for (const QString& elemento : elementi) {
        std::optional<Prezzo> p;
        if (!proc.esegui([&] { p = prezzo(archivio, CodiceCliente, elemento); })) return false;
        if (!p) continue;
        if (!proc.esegui([&] {
                archivio.execute(
                    "INSERT INTO competenze (cliente, npra, ntask, njob, elemento, descrizione, data, importo, "
                    "impofat, primanota, darepn, averepn, idpn, fatturato, ricavi, idfattura, spuntato, pagamento, "
                    "addebitounitario, fattore) VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?, 0, ?, ?, '', 0, ?, '', 0, ?, 0, '')",
                    {CodiceCliente, Npra, Nessuno, Nessuno, elemento, p->descrizione, oggi, p->importo, p->dare,
                     p->avere, p->ricavi, p->pagamento});
            }))
            return false;
    }
    return proc.essenziale([&] { scrittura->commit(); });
}

