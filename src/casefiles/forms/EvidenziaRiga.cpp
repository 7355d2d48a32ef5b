#include "casefiles/forms/EvidenziaRiga.h"

#include "platform/ui/FormUtil.h"

namespace {

bool rigaDati(const ui::Grid& griglia, int riga) {
    return riga >= 1 && riga < griglia.rows();
}

void dipingi(ui::Grid& griglia, int riga, int ultimaColonna, std::uint32_t colore) {
    for (int colonna = 0; colonna <= ultimaColonna; ++colonna)
        griglia.setCellBackColor(riga, colonna, ui::bgr(colore));
}

}  // namespace

Evidenziatore::Evidenziatore()
    : griglie_{{"C", {8, nullptr}}, {"I", {3, nullptr}}, {"L", {3, nullptr}}, {"F", {2, nullptr}}} {}

void Evidenziatore::RegistraGriglia(const QString& lettera, ui::Grid& griglia) {
    const auto trovata = griglie_.find(lettera);
    if (trovata == griglie_.end()) return;
    trovata->second.griglia = &griglia;
    trovata->second.rigaEvidenziata = 0;
}

void Evidenziatore::EvidenziaRiga(const QString& lettera, int modo) {
    const auto trovata = griglie_.find(lettera);
    if (trovata == griglie_.end()) return;
    Griglia& g = trovata->second;
    if (!g.griglia) return;
    ui::Grid& griglia = *g.griglia;

    if (g.rigaEvidenziata != 0 && rigaDati(griglia, g.rigaEvidenziata))
        dipingi(griglia, g.rigaEvidenziata, g.ultimaColonna, ui::BgrWhite);
    g.rigaEvidenziata = 0;

    if (modo == 1 && rigaDati(griglia, RigaCliccata)) {
        dipingi(griglia, RigaCliccata, g.ultimaColonna, ui::BgrYellow);
        g.rigaEvidenziata = RigaCliccata;
        griglia.setRow(RigaCliccata);
        griglia.setCol(g.ultimaColonna);
    }
}

int Evidenziatore::RigaEvidenziata(const QString& lettera) const {
    const auto trovata = griglie_.find(lettera);
    return trovata == griglie_.end() ? 0 : trovata->second.rigaEvidenziata;
}
