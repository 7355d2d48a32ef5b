#include "clients/engine/ParametriClienteListe.h"

#include <algorithm>

#include "fees/engine/CalcoloCompetenza.h"
#include "foundation/engine/ElencoCombo.h"
#include "foundation/engine/Generale.h"
#include "invoice/engine/Scadenzario.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

// The width of `elecli.pagamento`: a longer payment would make the whole list fail to store.
constexpr int LarghezzaPagamento = 3;

const QString GiaInLista = QStringLiteral("L'elemento inserito risulta già definito nella lista");
const QString NonInArchivio = QStringLiteral("Il codice elemento inserito non risulta definito negli archivi");

// The kind of a catalogue element; nothing when the catalogue does not hold it.
std::optional<QString> tipoElemento(db::Database& archivio, const QString& elemento) {
    db::Statement st(archivio, "SELECT tipo FROM elefat WHERE codice = ?", {elemento});
    if (!st.step()) return std::nullopt;
    return st.column(0).textOr(QString());
}

template <class Riga>
bool inLista(const std::vector<Riga>& lista, const QString& elemento) {
    return std::any_of(lista.begin(), lista.end(), [&](const Riga& r) { return r.elemento == elemento; });
}

template <class Riga>
bool togli(std::vector<Riga>& lista, const QString& elemento) {
    const auto trovato =
        std::find_if(lista.begin(), lista.end(), [&](const Riga& r) { return r.elemento == elemento; });
    if (trovato == lista.end()) return false;
    lista.erase(trovato);
    return true;
}

}  // namespace

std::optional<RifiutoRiga> VerificaElementiFissi(db::Database& archivio, const std::vector<ElementoFisso>& fissi,
                                                 const QString& elemento, const QString& applica) {
    if (int(fissi.size()) >= MassimoElementiFissi)
        return RifiutoRiga{"Si possono definire solo 8 elementi a fatturazione fissa"};
    if (inLista(fissi, elemento)) return RifiutoRiga{GiaInLista};
    const std::optional<QString> tipo = tipoElemento(archivio, elemento);
    if (!tipo) return RifiutoRiga{NonInArchivio};
    if (*tipo == "A") return RifiutoRiga{"Non è possibile dichiarare come elemento fisso una anticipazione"};
    if (applica.isEmpty())
        return RifiutoRiga{"definire il tipo di addebito che deve essere applicato per l'elemento",
                           RifiutoRiga::Applicazione};
    return std::nullopt;
}

std::optional<RifiutoRiga> VerificaElementiListino(db::Database& archivio, const std::vector<RigaListino>& listino,
                                                   const QString& elemento, const QString& prezzo,
                                                   const QString& pagamento, bool collegato) {
    if (elemento.isEmpty()) return RifiutoRiga{"L'elemento indicato non risulta in archivio"};
    if (inLista(listino, elemento)) return RifiutoRiga{GiaInLista};
    const std::optional<QString> tipo = tipoElemento(archivio, elemento);
    if (!tipo) return RifiutoRiga{NonInArchivio};
    if (*tipo == "A") return RifiutoRiga{"Non è possibile dichiarare un listino particolare per una anticipazione"};
    const std::optional<Currency> prezzoLetto = PrezzoListino(prezzo);
    if (!prezzoLetto)
        return RifiutoRiga{"Definire correttamente il prezzo di listino da applicare", RifiutoRiga::Prezzo};
    if (!ImportoAmmesso(*prezzoLetto)) return RifiutoRiga{MessaggioImportoFuoriMisura, RifiutoRiga::Prezzo};
    if (pagamento.isEmpty()) return std::nullopt;
    if (collegato) {
        if (archivio.scalar("SELECT count(*) FROM codicipagamento WHERE codice = ?", {pagamento}).toInt() == 0)
            return RifiutoRiga{"Il codice pagamento inserito non è definito", RifiutoRiga::Pagamento};
    } else if (!GiorniInCifre(pagamento)) {
        return RifiutoRiga{MessaggioScadenzaNonInGiorni, RifiutoRiga::Pagamento};
    }
    if (pagamento.size() > LarghezzaPagamento)
        return RifiutoRiga{"Il pagamento non può superare i 3 caratteri", RifiutoRiga::Pagamento};
    return std::nullopt;
}

std::optional<Currency> PrezzoListino(const QString& prezzo) {
    try {
        return ValoreInCifre(prezzo);
    } catch (const db::DbError&) {
        return std::nullopt;
    }
}

QString PagamentoListino(const QString& pagamento) { return pagamento.isEmpty() ? QStringLiteral("0") : pagamento; }

bool TogliElementoFisso(std::vector<ElementoFisso>& fissi, const QString& elemento) { return togli(fissi, elemento); }

bool TogliRigaListino(std::vector<RigaListino>& listino, const QString& elemento) { return togli(listino, elemento); }

QString TestoApplicazione(const QString& applica) {
    if (applica.isEmpty()) return QStringLiteral(" ");
    if (applica == "1") return QStringLiteral("fascola");
    if (applica == "2") return QStringLiteral("Lavoraz.");
    if (applica == "3") return QStringLiteral("Fattura");
    return {};
}

QString DescrizioneInGriglia(const QString& descrizione, int larghezza) {
    return basic::Left(descrizione + basic::Space(larghezza), larghezza);
}
