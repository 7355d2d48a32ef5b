#pragma once
// A record form whose own parts fail as a fault of the program would: the fields of a new
// record and the checks before storing each raise a run-time error, for the error handler to
// tell under the text that names the command.
#include <QAbstractButton>
#include <QStringList>
#include <optional>

#include "platform/db/DbError.h"
#include "support/ScriptedMessages.h"

template <class Forma>
class SchedaGuasta : public Forma {
public:
    using Forma::Forma;

private:
    static db::DbError guasto() { return db::DbError(5, "Chiamata di routine o argomento non validi.", "Fascole"); }
    void CampiNuovi() override { throw guasto(); }
    bool Controlli() override { throw guasto(); }
};

// AGGIUNGI and then CONFERMA pressed, each failure answered Abort: the texts the error box
// showed, in order.
inline QStringList GuastiDiAggiuntaEConferma(QAbstractButton& aggiungi, QAbstractButton& conferma) {
    ScriptedMessages box;
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    box.expectMessage(ui::Answer::Abort, std::nullopt, "GESTIONE DEGLI ERRORI");
    aggiungi.click();
    conferma.click();
    return box.messageTexts();
}
