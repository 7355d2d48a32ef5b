#pragma once
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QToolButton;

// A record navigator: first, previous, next and last buttons around a caption that tells
// the position. It moves nothing itself: each press is reported with its action number
// (1 first, 2 previous, 3 next, 4 last) and the owner moves, with Sposta, and shows the
// position, with MostraPosizione.
class NavigatoreRecord : public QWidget {
    Q_OBJECT
public:
    enum Azione { AzionePrimo = 1, AzionePrecedente = 2, AzioneSuccessivo = 3, AzioneUltimo = 4 };

    // Where a press moves the display among records counted from 1.
    struct Spostamento {
        long posizione;
        // Reached by the first-record button, whose caption is worded apart.
        bool primo;
    };

    explicit NavigatoreRecord(QWidget* parent = nullptr);

    // The record a press of `azione` shows among `numero` records, record `posizione` on
    // display: the first (always, even when it is on display already), the one before, the
    // one after, the last (once there are two). Nothing for a list with no records, a press
    // that would leave the list, the last-record button on a list of one, or another action.
    static std::optional<Spostamento> Sposta(int azione, long posizione, long numero);

    // The caption for record `posizione` of `numero`: "1 di" and the count when the first
    // record was asked for, else the position, " di " and the count; each number as Str
    // writes it, after a blank ("1 di 3", " 2 di  3").
    void MostraPosizione(long posizione, long numero, bool primo);

    QString caption() const;
    void setCaption(const QString& caption);

    QToolButton* Primo;
    QToolButton* Precedente;
    QToolButton* Successivo;
    QToolButton* Ultimo;

signals:
    void Validate(int Action);

private:
    QLabel* didascalia_;
};
