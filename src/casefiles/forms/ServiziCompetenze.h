#pragma once

class QLabel;

// What the case-file mask uses of the fee-item tab. The tab itself
// belongs to the fee-item subsystem, built on this one; it implements this face and hands
// itself to the main window (FrmFascola::Competenze), so that this subsystem reaches it
// without depending on that one.
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
    // The fee grid filled with the fee items of the case file named by C_LblCodiceCliente
    // and C_LblNpra.
    virtual void C_MostraGriglia() = 0;

    // The case file on display: client name, client code, case number.
    QLabel* C_LblNomeCliente = nullptr;
    QLabel* C_LblCodiceCliente = nullptr;
    QLabel* C_LblNpra = nullptr;
    // The task and job a new fee item goes to; "0000" for none.
    QLabel* C_LblNtask = nullptr;
    QLabel* C_LblNjob = nullptr;
};
