#include "foundation/engine/GestioneErrori.h"

#include <QElapsedTimer>

#include "platform/db/DbError.h"
#include "platform/system/MessageService.h"

namespace {

constexpr int64_t AttesaMassimaMs = 15000;

struct AttesaBloccoRec {
    QString FunzioneInAttesa;
    int64_t InizioAttesa = 0;
};

AttesaBloccoRec gAttesa;

int64_t orologioReale() {
    static QElapsedTimer timer = [] { QElapsedTimer t; t.start(); return t; }();
    return timer.elapsed();
}

std::function<int64_t()> gOrologio = orologioReale;

QString numeroConSegno(int n) { return n >= 0 ? " " + QString::number(n) : QString::number(n); }

}  // namespace

void ImpostaOrologioAttese(std::function<int64_t()> orologio) {
    gOrologio = orologio ? std::move(orologio) : std::function<int64_t()>(orologioReale);
}

void RipristinaAttesaBlocco() { gAttesa = {}; }

void FineAttesaBlocco(const QString& DescrizioneFunzione) {
    if (gAttesa.FunzioneInAttesa == DescrizioneFunzione) gAttesa = {};
}

int GestioneErrori(int NumeroErrore, const QString& /*OrigineErrore*/, const QString& DescrizioneErrore,
                   const QString& DescrizioneFunzione) {
    const QString suggerimento = "Nessun suggerimento";
    QString notaAttesa;

    if (db::err::isLockConflict(NumeroErrore)) {
        const int64_t adesso = gOrologio();
        if (DescrizioneFunzione != gAttesa.FunzioneInAttesa) {
            gAttesa.FunzioneInAttesa = DescrizioneFunzione;
            gAttesa.InizioAttesa = adesso;
            return Riprova;
        }
        if (adesso - gAttesa.InizioAttesa < AttesaMassimaMs) return Riprova;
        gAttesa.FunzioneInAttesa.clear();
        notaAttesa = "(è stato eseguito un ciclo di attesa di 15 secondi)";
    }

    QString messaggio = "Si è verificato l'errore " + numeroConSegno(NumeroErrore) + SeparatoreMessaggi;
    messaggio += DescrizioneErrore + SeparatoreMessaggi;
    if (!notaAttesa.isEmpty()) messaggio += notaAttesa + SeparatoreMessaggi;
    messaggio += "Funzione: " + DescrizioneFunzione + SeparatoreMessaggi;
    messaggio += suggerimento;

    switch (ui::MessageService::show(messaggio, "GESTIONE DEGLI ERRORI", ui::Buttons::AbortRetryIgnore)) {
    case ui::Answer::Retry: return Riprova;
    case ui::Answer::Ignore: return Prosegui;
    default: return Abbandona;
    }
}
