#include "accounting/engine/NormalizzaCodicePdC.h"

#include <memory>
#include <vector>

#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/system/MessageService.h"

namespace {

const QString Titolo = QStringLiteral("CONTROLLO CODICE PdC");

void Avviso(const QString& testo) { ui::MessageService::show(testo, Titolo); }

bool Cifra(QChar c) { return c >= '0' && c <= '9'; }

// The word's accounts: one is the answer, several are offered in the picker.
QString DecodificaMnemonico(const ArchivioPerCodice& Archivio, QString& CodiceDigitato, const ScegliConto& Scelta) {
    CodiceDigitato = CodiceDigitato.left(10);
    const bool prefisso = CodiceDigitato.endsWith('*');
    const QString parola = prefisso ? CodiceDigitato.chopped(1) : CodiceDigitato;
    for (QChar c : parola) {
        if (!QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789").contains(c)) {
            Avviso("Il codice mnemonico inserito contiene caratteri non consentiti");
            return CodicePdCVuoto;
        }
    }

    db::Database* trovato = Archivio();
    if (!trovato) return CodicePdCVuoto;
    db::Database& archivio = *trovato;
    Procedura proc("Decodifica di un codice mnemonico");
    std::vector<QString> codici;
    {
        if (!proc.essenziale([&] {
                codici.clear();
                db::Statement conti(archivio,
                                    prefisso ? "SELECT codice FROM pianodeiconti WHERE parola LIKE ? ESCAPE '\\'"
                                             : "SELECT codice FROM pianodeiconti WHERE parola = ?",
                                    {prefisso ? db::Value(db::likePattern(CodiceDigitato.toStdString()))
                                              : db::Value(CodiceDigitato)});
                while (conti.step()) codici.push_back(conti.column(0).textOr(QString()));
            }))
            return CodicePdCVuoto;
    }

    if (codici.empty()) {
        Avviso("Il codice mnemonico digitato non è definito");
        return CodicePdCVuoto;
    }
    if (codici.size() == 1) return codici.front();
    // Left without a choice, the field still holds the word: that is no code.
    const auto scelto = Scelta(CodiceDigitato);
    if (!scelto) return CodicePdCVuoto;
    return *scelto != "00" ? *scelto : CodicePdCVuoto;
}

// The four levels of a code typed with any separators: each takes its digits from where the
// previous one stopped, up to its width and its last position; a separator ends a level and
// is passed over, and so is one that follows a full level.
QStringList Livelli(const QString& codice13) {
    struct Livello {
        int cifre;
        int ultima;  // last position it may take, counted from 1
    };
    const Livello livelli[] = {{2, 3}, {2, 6}, {2, 9}, {4, 13}};
    QStringList parti;
    int pos = 0;
    for (const Livello& l : livelli) {
        QString parte;
        while (pos < l.ultima && parte.size() < l.cifre) {
            const QChar c = codice13[pos++];
            if (!Cifra(c)) break;
            parte += c;
        }
        if (parte.size() == l.cifre && pos < l.ultima && !Cifra(codice13[pos])) ++pos;
        parti << parte.rightJustified(l.cifre, '0');
    }
    return parti;
}

QString NormalizzaNumerico(const ArchivioPerCodice& Archivio, QString& CodiceDigitato) {
    bool nuovo = false;
    if (CodiceDigitato.endsWith('+')) {
        if (CodiceDigitato == "+") {
            db::Database* archivio = Archivio();
            if (!archivio) return CodicePdCVuoto;
            CodiceDigitato = NuovoCodicePdC(*archivio, CodicePdCVuoto);
        } else {
            CodiceDigitato.chop(1);
            nuovo = true;
        }
    }
    for (QChar c : CodiceDigitato) {
        if (!Cifra(c) && c != '.' && c != ' ') {
            Avviso("Il codice digitato contiene caratteri non consentiti");
            return CodicePdCVuoto;
        }
    }
    // GMCCSSS: one digit of group and of mastro, two of conto, three of sottoconto.
    if (CodiceDigitato.size() == 7 && !CodiceDigitato.contains('.') && !CodiceDigitato.contains(' ')) {
        const QString c = CodiceDigitato;
        CodiceDigitato = "0" + c.mid(0, 1) + ".0" + c.mid(1, 1) + "." + c.mid(2, 2) + ".0" + c.mid(4, 3);
    }
    CodiceDigitato = CodiceDigitato.leftJustified(13, ' ', true);

    const QStringList l = Livelli(CodiceDigitato);
    const QString& gruppo = l[0];
    const QString& mastro = l[1];
    const QString& conto = l[2];
    const QString& sottoconto = l[3];

    // The levels above the code, from the nearest up, each with the refusal when missing.
    std::vector<std::pair<QString, QString>> padri;
    if (sottoconto != "0000") padri.push_back({gruppo + "." + mastro + "." + conto + ".0000", "Il conto "});
    if (conto != "00") padri.push_back({gruppo + "." + mastro + ".00.0000", "Il mastro "});
    if (mastro != "00") padri.push_back({gruppo + ".00.00.0000", "Il gruppo "});

    db::Database* archivio = nullptr;
    if (!padri.empty() || nuovo) {
        archivio = Archivio();
        if (!archivio) return CodicePdCVuoto;
    }
    if (!padri.empty()) {
        Procedura proc("Sub di normalizzazione del codice del PdC");
        for (const auto& [padre, livello] : padri) {
            bool esiste = false;
            if (!proc.essenziale([&, &padre = padre] {
                    esiste = !archivio->scalar("SELECT 1 FROM pianodeiconti WHERE codice = ?", {padre}).isNull();
                }))
                return CodicePdCVuoto;
            if (!esiste) {
                Avviso(livello + padre + " non è definito");
                return CodicePdCVuoto;
            }
        }
    }

    const QString normalizzato = gruppo + "." + mastro + "." + conto + "." + sottoconto;
    return nuovo ? NuovoCodicePdC(*archivio, normalizzato) : normalizzato;
}

}  // namespace

QString NormalizzaCodicePdC(db::Database& archivio, QString& CodiceDigitato, const ScegliConto& Scelta) {
    return NormalizzaCodicePdC([&archivio]() { return &archivio; }, CodiceDigitato, Scelta);
}

QString NormalizzaCodicePdC(const ArchivioPerCodice& Archivio, QString& CodiceDigitato, const ScegliConto& Scelta) {
    if (CodiceDigitato.isEmpty()) return CodicePdCNonDigitato;
    CodiceDigitato = CodiceDigitato.toUpper();

    if (CodiceDigitato == "?") {
        const auto scelto = Scelta(QString());
        if (!scelto) return CodicePdCVuoto;
        CodiceDigitato = *scelto;
    }

    if (!CodiceDigitato.isEmpty() && CodiceDigitato[0] >= 'A' && CodiceDigitato[0] <= 'Z')
        return DecodificaMnemonico(Archivio, CodiceDigitato, Scelta);
    return NormalizzaNumerico(Archivio, CodiceDigitato);
}
