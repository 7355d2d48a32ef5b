#pragma once
#include <QPointer>
#include <QString>
#include <map>

#include "platform/ui/Grid.h"

// The yellow mark on the chosen row of the main window's four grids, known by letter:
// "C" fee items, "I" tasks, "L" jobs, "F" invoice lines. Each grid keeps its own marked
// row from one call to the next; the four share RigaCliccata, the row of the last click in
// any of them, which a grid's click handler stores before it marks the row.
class Evidenziatore {
public:
    Evidenziatore();

    // The row of the last click in any of the four grids.
    int RigaCliccata = 0;

    // The grid that a letter stands for; its marked row starts as none.
    void RegistraGriglia(const QString& lettera, ui::Grid& griglia);

    // Mode 1 paints the row marked before in that grid white and RigaCliccata yellow, which
    // becomes the marked row; any other mode paints the marked row white and leaves none.
    // A letter other than the four does nothing. A row that is not a data row of the grid
    // (the last click was in a longer grid, or the grid has since been refilled with fewer
    // rows) is not painted, and is not kept as marked.
    void EvidenziaRiga(const QString& lettera, int modo);

    // The row marked now in that grid, 0 for none.
    int RigaEvidenziata(const QString& lettera) const;

private:
    struct Griglia {
        int ultimaColonna;  // columns 0 to this one are painted
        QPointer<ui::Grid> griglia;
        int rigaEvidenziata = 0;
    };

    std::map<QString, Griglia> griglie_;
};
