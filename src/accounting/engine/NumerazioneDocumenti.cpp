#include "accounting/engine/NumerazioneDocumenti.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <set>

#include "foundation/engine/Procedura.h"
#include "foundation/engine/Ambiente.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"

namespace {

const QStringList Lettere = {"F", "E", "H"};

void ErroreChiamata(const QString& testo) {
    ui::MessageService::show(testo, {}, ui::Buttons::Ok, ui::Icon::Critical);
}

// The counter that numbers a note under the register's criterion; nullptr when the
// criterion gives the note none. The criterion is a one-character text holding 1, 2 or 3.
const char* ContatoreNota(const QString& TipoDocumento, const QString& criterio) {
    const QString c = basic::Trim(criterio);
    if (!basic::IsNumeric(c)) return nullptr;
    switch (int(basic::Val(c))) {
    case 1: return "numerofattura";
    case 2: return "numerovariazioneaum";
    case 3: return TipoDocumento == "E" ? "numerovariazioneaum" : "numerovariazionedim";
    default: return nullptr;
    }
}

// The counter of a document letter; nullptr for a letter outside "F", "E", "H" and for a note
// the criterion gives none.
const char* ContatoreDocumento(const QString& lettera, const QString& criterio) {
    if (lettera == "F") return "numerofattura";
    if (lettera == "E" || lettera == "H") return ContatoreNota(lettera, criterio);
    return nullptr;
}

// The letters numbered in one sequence with `lettera`: those of its counter, or the letter
// alone when it has none.
QStringList LettereDellaSequenza(const QString& lettera, const QString& criterio) {
    const char* contatore = ContatoreDocumento(lettera, criterio);
    if (!contatore) return {lettera};
    QStringList stesse;
    for (const QString& l : Lettere)
        if (const char* c = ContatoreDocumento(l, criterio); c && qstrcmp(c, contatore) == 0) stesse << l;
    return stesse;
}

// The first number from `numero` up that no journal header of the register carries with
// a letter of `lettere` (the whole number at the start of its document number counts).
int64_t PrimoNumeroLibero(db::Database& archivio, const QString& registro, const QStringList& lettere, int64_t numero) {
    QString segnaposti;
    db::Params params{registro, numero};
    for (const QString& l : lettere) {
        segnaposti += segnaposti.isEmpty() ? "?" : ", ?";
        params.push_back(l);
    }
    std::set<int64_t> usati;
    db::Statement st(archivio,
                     "SELECT DISTINCT CAST(trim(protocolloiva) AS INTEGER) FROM giornale WHERE registroiva = ? "
                     "AND CAST(trim(protocolloiva) AS INTEGER) >= ? AND tipodocumentoiva IN (" +
                         segnaposti.toStdString() + ")",
                     params);
    while (st.step()) usati.insert(st.column(0).toInt());
    while (usati.count(numero)) ++numero;
    return numero;
}

void VerificaIntervallo(int64_t numero) {
    if (numero > std::numeric_limits<int32_t>::max()) throw db::DbError(6, "Overflow.");
}

// The whole number at the start of a typed document number, blanks around it ignored;
// nothing when there is none from 1 up.
std::optional<int64_t> NumeroIniziale(const QString& testo) {
    const QString t = basic::Trim(testo);
    qsizetype cifre = 0;
    while (cifre < t.size() && t[cifre] >= u'0' && t[cifre] <= u'9') ++cifre;
    if (cifre == 0) return std::nullopt;
    bool ok = false;
    const qlonglong n = t.left(cifre).toLongLong(&ok);
    // Too many digits for any counter: beyond every register's next number.
    if (!ok) return std::numeric_limits<int64_t>::max();
    if (n < 1) return std::nullopt;
    return n;
}

// The number as the register hands it out: the register's suffix after a blank.
QString NumeroConSuffisso(int64_t numero, const QString& suffisso) {
    QString testo = QString::number(numero);
    if (!suffisso.isEmpty()) testo += " " + suffisso;
    return testo;
}

}  // namespace

QString NumeroFattura(db::Database& archivio, const QString& TipoDocumento, const NumeroGiaEmesso& giaEmesso) {
    Procedura proc("Funzione di determinazione numero fattura");
    const QString registro = ParametriFattura().RegistroIva;

    std::optional<db::Transaction> scrittura;
    std::unique_ptr<db::Recordset> rs;
    // The archive is let go before any message, so that nobody waits on it meanwhile.
    auto chiudi = [&] {
        rs.reset();
        scrittura.reset();
    };

    if (!proc.essenziale([&] { scrittura.emplace(archivio); })) return {};
    if (!proc.essenziale([&] { rs = archivio.openRecordset("SELECT * FROM ivaregistri WHERE codice = ?", {registro}); }))
        return {};

    if (rs->EOF_()) {
        chiudi();
        ErroreChiamata("Errore chiamata a <NumeroFattura>. Specificato un registro iva inesistente (" + registro + ")");
        return {};
    }

    QString criterio;
    if (TipoDocumento == "E" || TipoDocumento == "H") {
        if (!proc.essenziale([&] { criterio = rs->field("criterionumerazioni").textOr(QString()); })) return {};
        if (!ContatoreDocumento(TipoDocumento, criterio)) return {};
    } else if (TipoDocumento == "F") {
        // An invoice's counter does not depend on the criterion; the notes that share it do.
        if (!proc.esegui([&] { criterio = rs->field("criterionumerazioni").textOr(QString()); })) return {};
    } else {
        chiudi();
        ErroreChiamata("Errore chiamata a <NumeroFattura>. Specificato un documento iva inesistente (" +
                       TipoDocumento + ")");
        return {};
    }
    const char* contatore = ContatoreDocumento(TipoDocumento, criterio);

    // A suffix that cannot be read leaves the number without one, if the user goes on.
    QString suffisso;
    if (!proc.esegui([&] { suffisso = rs->field("suffisso").textOr(QString()); })) return {};

    int64_t numero = 0;
    if (!proc.essenziale([&] {
            const QStringList lettere = LettereDellaSequenza(TipoDocumento, criterio);
            numero = PrimoNumeroLibero(archivio, registro, lettere, rs->field(contatore).toInt() + 1);
            while (giaEmesso && giaEmesso(NumeroConSuffisso(numero, suffisso), lettere))
                numero = PrimoNumeroLibero(archivio, registro, lettere, numero + 1);
            VerificaIntervallo(numero);
        }))
        return {};

    if (!proc.essenziale([&] {
            rs->Edit();
            rs->setField(contatore, numero);
            rs->Update();
        }))
        return {};
    if (!proc.essenziale([&] { scrittura->commit(); })) return {};

    return NumeroConSuffisso(numero, suffisso);
}

EsitoNumeroDigitato AccogliNumeroDigitato(db::Database& archivio, const QString& registro, const QString& lettera,
                                          const QString& numero, const NumeroGiaEmesso& giaEmesso) {
    db::Transaction scrittura(archivio);
    EsitoNumeroDigitato esito;
    const db::Value criterioLetto =
        archivio.scalar("SELECT coalesce(criterionumerazioni, '') FROM ivaregistri WHERE codice = ?", {registro});
    if (criterioLetto.isNull()) return esito;
    const QString criterio = criterioLetto.textOr(QString());
    const char* contatore = ContatoreDocumento(lettera, criterio);
    if (contatore)
        esito.UltimoNumero = archivio.scalar("SELECT " + std::string(contatore) + " FROM ivaregistri WHERE codice = ?",
                                             {registro})
                                 .intOr(0);

    const std::optional<int64_t> n = NumeroIniziale(numero);
    const QStringList lettere = LettereDellaSequenza(lettera, criterio);
    if (!n) {
        esito.Esito = NumeroDigitato::NonProgressivo;
    } else if (PrimoNumeroLibero(archivio, registro, lettere, *n) != *n || (giaEmesso && giaEmesso(numero, lettere))) {
        esito.Esito = NumeroDigitato::GiaUsato;
    } else if (contatore && *n > esito.UltimoNumero + 1) {
        esito.Esito = NumeroDigitato::OltreIlSuccessivo;
    } else {
        if (contatore && *n == esito.UltimoNumero + 1)
            archivio.execute("UPDATE ivaregistri SET " + std::string(contatore) + " = ? WHERE codice = ?",
                             {*n, registro});
        esito.Esito = NumeroDigitato::Ammesso;
    }
    scrittura.commit();
    return esito;
}
