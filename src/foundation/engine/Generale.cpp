#include "foundation/engine/Generale.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <algorithm>

#include "foundation/engine/Ambiente.h"
#include "platform/db/DbError.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"
#include "platform/system/MessageService.h"

Currency ImportoDaTesto(QString& TestoImporto) {
    if (TestoImporto.isEmpty()) return {};
    if (TestoImporto.count('.') == 1) {
        const int p = TestoImporto.indexOf('.') + 1;
        if (p >= TestoImporto.size() - 2) TestoImporto[p - 1] = ',';
    }
    QString cifre;
    for (QChar c : TestoImporto)
        if (QStringLiteral("-0123456789,").contains(c)) cifre += c;
    if (cifre.isEmpty()) cifre = "0";
    const std::string testo = cifre.toStdString();
    const auto valore = Currency::parse(testo, ',');
    if (valore) return *valore;
    if (Currency::isPlainNumber(testo, ',')) Currency::overflow();
    throw db::err::typeMismatch();
}

namespace {

// A text as a number in figures may be written, without the blanks around it and a euro sign
// before or after it.
QString SenzaContorno(const QString& testo) {
    QString numero = testo.trimmed();
    if (numero.startsWith(u'€')) numero.remove(0, 1);
    else if (numero.endsWith(u'€')) numero.chop(1);
    return basic::Trim(numero);
}

}  // namespace

bool NumeroInCifre(const QString& testo) { return basic::IsNumeric(SenzaContorno(testo)); }

std::optional<Currency> ValoreInCifre(const QString& testo) {
    QString numero = SenzaContorno(testo);
    if (!basic::IsNumeric(numero)) return std::nullopt;
    return ImportoDaTesto(numero);
}

Currency ImportoDelBox(const QString& testo) {
    if (testo.isEmpty()) return {};
    if (const auto valore = ValoreInCifre(testo)) return *valore;
    throw db::err::typeMismatch();
}

bool ContieneCifre(const QString& testo) {
    return std::any_of(testo.begin(), testo.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool SoloCifre(const QString& testo) {
    return !testo.isEmpty() &&
           std::all_of(testo.begin(), testo.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

std::optional<Currency> AliquotaDigitata(const QString& codice) {
    QString cifre = basic::Trim(codice);
    if (!ContieneCifre(cifre)) return std::nullopt;
    try {
        return ImportoDaTesto(cifre);
    } catch (const db::DbError&) {
        return std::nullopt;
    }
}

bool AliquotaAmmessa(const Currency& percentuale) {
    return percentuale >= Currency() && percentuale < Currency::fromUnits(100);
}

bool AliquotaDigitataAmmessa(const QString& testo) {
    const auto aliquota = AliquotaDigitata(testo);
    return aliquota && AliquotaAmmessa(*aliquota);
}

QString DataPerSql(const QString& TestoData) {
    if (const auto d = basic::ToDate(TestoData)) return d->toString("yyyy,MM,dd");
    ui::MessageService::show("ERRORE: si sta tentando di usare come data un oggetto che non è una data");
    return {};
}

QString CompletaData(const QString& TestoData) {
    QString risultato;
    if (TestoData.size() == 10) {
        risultato = TestoData;
    } else if (TestoData.size() == 8 && TestoData[2] == '/' && TestoData[5] == '/') {
        risultato = TestoData.left(6) + "20" + TestoData.right(2);
    } else if (TestoData.size() == 6 && basic::IsNumeric(TestoData)) {
        risultato = TestoData.left(2) + "/" + TestoData.mid(2, 2) + "/20" + TestoData.right(2);
    }
    if (!basic::IsDate(risultato)) risultato = "NO_DATA";
    return risultato;
}

QString NomeNelMessaggio(const QString& nome) { return "\"" + nome + "\""; }

db::DbError ErroreAccessoFile(const QString& percorso, const QString& seguito) {
    return db::DbError(75,
                       ("Errore di accesso al percorso o al file: " + NomeNelMessaggio(percorso) + seguito).toStdString());
}

QString CartellaDaPercorso(const QString& Percorso) {
    QString cartella = Percorso;
    while (!cartella.isEmpty() && !cartella.endsWith('\\') && !cartella.endsWith('/')) cartella.chop(1);
    return cartella;
}

QString CartellaSenzaSeparatoreFinale(const QString& Cartella) {
    QString cartella = Cartella;
    while (cartella.size() > 1 && (cartella.endsWith(u'\\') || cartella.endsWith(u'/'))) cartella.chop(1);
    return cartella;
}

QString NomeFileDaPercorso(const QString& Percorso) {
    const QString cartella = CartellaDaPercorso(Percorso);
    if (cartella.isEmpty()) return Percorso;
    if (cartella.size() == Percorso.size()) return {};
    return Percorso.right(Percorso.size() - cartella.size());
}

namespace {

const QString TitoloNomeMacchina = QStringLiteral("DEFINIRE IL NOME MACCHINA");

// Why a file could not be written in a folder, from the system's error number.
QString MotivoScritturaMancata(int errore) {
    switch (errore) {
    case EACCES:
    case EPERM: return "mancano i permessi per scrivervi";
    case EROFS: return "la cartella è di sola lettura";
    case ENOSPC:
    case EDQUOT: return "il disco è pieno";
    case ENOENT:
    case ENOTDIR: return "la cartella non esiste";
    default: return "errore di sistema " + QString::number(errore) + ", " + QString::fromLocal8Bit(std::strerror(errore));
    }
}

// The file nome_macchina could not be written in the start folder `cartella`: what to do instead.
QString MessaggioNomeMacchinaNonScritto(const QString& cartella, int errore) {
    return "ATTENZIONE: nome macchina non leggibile dai parametri di sistema, "
           "e non è stato possibile scrivere il file nome_macchina nella cartella del programma " +
           NomeNelMessaggio(cartella) + ": " + MotivoScritturaMancata(errore) + ". " +
           "Uscire dal programma e creare in quella cartella il file nome_macchina contenente il giusto "
           "nome della macchina (una sola parola, senza spazi), oppure consentire la scrittura nella "
           "cartella e avviare di nuovo il programma, che definirà il file con la parola DEFINIRE da "
           "sostituire. Finché il file manca, il nome macchina è DEFINIRE e il programma non può "
           "funzionare correttamente in rete.";
}

}  // namespace

QString NomeMacchina() {
    QString nome = sys::HostName().trimmed();
    if (nome.isEmpty()) nome = "NON DEFINITO";

    if (nome == "NON DEFINITO") {
        const QString cartella = AmbienteLavoro().CartellaAvvio;
        const QString file = QDir(cartella).filePath("nome_macchina");
        // Written whole under its name, or not at all; one written meanwhile by another start of
        // the program is read like any other.
        const int errore = QFile::exists(file) ? EEXIST : sys::WriteNewFile(file, "DEFINIRE\r\n");
        if (errore == 0) {
            ui::MessageService::show(
                "ATTENZIONE: nome macchina non leggibile dai parametri di sistema, "
                "è stato definito il file nome_macchina con un contenuto provvisorio. "
                "Uscire dal programa, aprire il file nome_macchina nella cartella del programma "
                "e scrivere il giusto nome della macchina, in sostituizione della parola DEFINIRE "
                "scritta dal programma in automatico. Questa operazione è necessaria "
                "per consentire il giusto funzionamento del programma in rete. (Il nome "
                "macchina definito non deve essere una sola parola, senza spazi)",
                TitoloNomeMacchina);
            nome = "DEFINIRE";
        } else if (errore != EEXIST) {
            ui::MessageService::show(MessaggioNomeMacchinaNonScritto(cartella, errore), TitoloNomeMacchina);
            nome = "DEFINIRE";
        } else {
            QFile f(file);
            nome.clear();
            if (f.open(QIODevice::ReadOnly)) {
                const QString riga = QString::fromLocal8Bit(f.readLine()).remove('\r').remove('\n');
                nome = riga.section(',', 0, 0).trimmed();
                if (nome.startsWith('"') && nome.endsWith('"') && nome.size() >= 2) nome = nome.mid(1, nome.size() - 2);
            }
        }
    }

    QString stampabile;
    for (QChar c : nome)
        if (c.unicode() >= 32 && c.unicode() <= 126) stampabile += c;
    return stampabile;
}

QString MacchinaDelPercorso(const QString& Percorso) {
    if (!Percorso.startsWith("\\\\")) return AmbienteLavoro().MacchinaLocale;
    const int fine = Percorso.indexOf('\\', 2);
    return fine < 0 ? Percorso.mid(2) : Percorso.mid(2, fine - 2);
}
