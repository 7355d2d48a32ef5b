#pragma once
// What the tasks tab and the jobs tab do alike. Both list numbered rows of the case file on
// display (tasks of the case file, jobs of the chosen task) in a four-column grid that keeps
// a minimum number of lines, load a row into their fields when its line is clicked, and add,
// correct and delete rows through the case-file engine (Incarichi.h, Lavorazioni.h) on the
// session, each command under its own error-handler text and ending with the fields cleared
// and the grid read again. Their headings show the case file of FascolaCorrente().
#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
namespace db {
class Database;
}

// A tab's grid with the rows it lists kept beside it, so that a click finds its row without
// reading anything back from the cells.
template <class Voce>
class GrigliaVoci {
public:
    using Celle = std::function<std::array<QString, 4>(const Voce&)>;

    // `righeMinime` counts the heading too.
    GrigliaVoci(ui::Grid& griglia, QString formato, int righeMinime, Celle celle)
        : griglia_(griglia), formato_(std::move(formato)), righeMinime_(righeMinime), celle_(std::move(celle)) {
        griglia_.setRows(righeMinime_);
        griglia_.setFormatString(formato_);
    }

    // Every line under the heading emptied and white again; the row count stays.
    void Svuota() {
        voci_.clear();
        griglia_.setRow(0);
        griglia_.setCol(0);
        griglia_.setFormatString(formato_);
        for (int riga = 1; riga < griglia_.rows(); ++riga) {
            for (int colonna = 0; colonna < griglia_.cols(); ++colonna) {
                griglia_.setCellBackColor(riga, colonna, ui::bgr(ui::BgrWhite));
                griglia_.setText(riga, colonna, QString());
            }
        }
    }

    // As Svuota, with the grid back to its minimum number of lines.
    void Riduci() {
        griglia_.setRows(righeMinime_);
        griglia_.setCols(4);
        Svuota();
    }

    // Lists `voci` from line 1, one a line, the grid keeping at least its minimum number of
    // lines. The lines were emptied before.
    void Mostra(std::vector<Voce> voci) {
        const int n = int(voci.size());
        griglia_.setRows(n < righeMinime_ - 1 ? righeMinime_ : n + 1);
        griglia_.setCols(4);
        griglia_.setRow(0);
        griglia_.setCol(0);
        griglia_.setFormatString(formato_);
        for (int i = 1; i <= n; ++i) {
            const std::array<QString, 4> celle = celle_(voci[size_t(i - 1)]);
            for (int colonna = 0; colonna < 4; ++colonna) griglia_.setText(i, colonna, celle[size_t(colonna)]);
        }
        voci_ = std::move(voci);
    }

    // The row listed at grid line `riga`; null for a line that lists none.
    const Voce* Listata(int riga) const {
        return riga >= 1 && riga <= int(voci_.size()) ? &voci_[size_t(riga - 1)] : nullptr;
    }

private:
    ui::Grid& griglia_;
    QString formato_;
    int righeMinime_;
    Celle celle_;
    std::vector<Voce> voci_;
};

// Runs `operazione` on the session under the error handler with `descrizione`: true when it
// was carried out, false when the user left it.
bool SuArchivio(const QString& descrizione, const std::function<void(db::Database&)>& operazione);

// The case file on display into a tab's heading labels; empty while none is.
void MostraFascolaInTestata(QLabel* nome, QLabel* codice, QLabel* npra);

// A stored date as the grids and fields show it, "dd/mm/yyyy"; "" for none.
QString DataMostrata(const QDate& data);
// A date typed as day/month/year; a null date when it is none.
QDate DataDigitata(const QString& testo);
// Today's date, "dd/mm/yyyy", into the date box `data` each time the user enters it empty,
// selected whole so that a date typed replaces it, whether the box is entered with the
// keyboard or with a click: the click that enters the box leaves the caret out of the date.
void OggiQuandoSiEntraVuota(QLineEdit& data);
// The text in a column of `larghezza` characters: blanks after, cut to the width.
QString Colonna(const QString& testo, int larghezza);

// Both options of a pair left unselected, which exclusive options do not allow by a click.
void Deseleziona(QRadioButton* prima, QRadioButton* seconda);
