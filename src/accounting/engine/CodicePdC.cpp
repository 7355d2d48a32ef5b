#include "accounting/engine/CodicePdC.h"

#include <memory>

#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"

namespace {

// One level of the chart below a parent: where its number sits in a code, how wide it is,
// and what the new account is called in the refusal.
struct Livello {
    int inizio;      // first character of the level's number (1-based)
    int cifre;       // its width
    const char* nome;
};

const Livello kGruppo{1, 2, "gruppo"};
const Livello kMastro{4, 2, "mastro"};
const Livello kConto{7, 2, "conto"};
const Livello kSottoconto{10, 4, "sottoconto"};

// Characters of the parent code taken literally in a GLOB pattern.
QString Letterale(const QString& testo) {
    QString r;
    for (QChar c : testo) r += (c == '*' || c == '?' || c == '[') ? QString("[%1]").arg(c) : QString(c);
    return r;
}

}  // namespace

QString NuovoCodicePdC(db::Database& archivio, const QString& CodicePadre) {
    const QString& P = CodicePadre;
    const QString due = "[0-9][0-9]";
    Livello livello;
    QString schema;
    if (basic::Mid(P, 1, 2) == "00") {
        livello = kGruppo;
        schema = "*.00.00.0000";
    } else if (basic::Mid(P, 4, 2) == "00") {
        livello = kMastro;
        schema = Letterale(basic::Left(P, 2)) + "." + due + ".00.0000";
    } else if (basic::Mid(P, 7, 2) == "00") {
        livello = kConto;
        schema = Letterale(basic::Left(P, 5)) + "." + due + ".0000";
    } else {
        livello = kSottoconto;
        schema = Letterale(basic::Left(P, 8)) + "." + due + due;
    }

    Procedura proc("Sub di creazione di un nuovo codice del PdC");
    std::unique_ptr<db::Recordset> rs;
    if (!proc.essenziale([&] {
            rs = archivio.openRecordset("SELECT * FROM pianodeiconti WHERE codice GLOB ? ORDER BY codice", {schema});
        }))
        return CodicePdCVuoto;

    int ultimo = 0;
    if (!rs->EOF_()) {
        if (!proc.essenziale([&] {
                rs->MoveLast();
                ultimo = int(basic::Val(basic::Mid(rs->field("codice").toText<QString>(), livello.inizio, livello.cifre)));
            }))
            return CodicePdCVuoto;
    }
    rs.reset();

    const int massimo = livello.cifre == 4 ? 9999 : 99;
    if (ultimo >= massimo) {
        const QString sotto = livello.inizio == 1 ? QString() : " sotto " + P;
        ui::MessageService::show("Non è possibile definire un nuovo " + QString(livello.nome) + sotto +
                                     ": sono esauriti i codici disponibili",
                                 "CONTROLLO CODICE PdC");
        return CodicePdCVuoto;
    }

    const QString n = QString::number(ultimo + 1).rightJustified(livello.cifre, '0');
    return basic::Left(P, livello.inizio - 1) + n + basic::Mid(P, livello.inizio + livello.cifre);
}
