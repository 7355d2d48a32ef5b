#pragma once

// What the main window knows of the fee-item tab. The tab itself belongs to the fee-item
// subsystem, built on this one; it implements this face and hands itself to the main window
// (FrmFascola::Competenze), so that this subsystem reaches it without depending on that one.
// The tab follows FascolaCorrente() by itself: it shows the case file on display and the
// task and job that new fee items go to, and refills its grid when another case file is shown.
class ServiziCompetenze {
public:
    virtual ~ServiziCompetenze() = default;

    // Empties the entry fields and their captions and forgets the item being edited.
    virtual void C_PulisciCampi() = 0;
    // The element combos.
    virtual void C_AbilitaElemento(bool abilita) = 0;
    // Description, payment and date.
    virtual void C_AbilitaDescrizione(bool abilita) = 0;
    // The amount boxes; disabling them also empties their captions.
    virtual void C_AbilitaImporti(bool abilita) = 0;
    // The fee grid back to its empty 14 lines.
    virtual void C_VuotaGriglia() = 0;
    // The fee grid filled with the fee items of the case file on display.
    virtual void C_MostraGriglia() = 0;
};
