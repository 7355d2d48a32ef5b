#include "invoice/engine/CalcoloIva.h"

#include <stdexcept>

#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/Importi.h"
#include "invoice/engine/ImportiDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

AliquotaIva AliquotaDellArchivio(db::Database& sessione, const QString& codice) {
    AliquotaIva a;
    db::Statement riga(sessione, "SELECT aliquota, descrizione FROM ivacodici WHERE codice = ?", {basic::Trim(codice)});
    if (!riga.step()) {
        a.TestoAliquota = "0,00";
        a.Sconosciuto = true;
        return a;
    }
    // `aliquota` holds hundredths of a percent; Currency holds ten-thousandths of a unit.
    a.Percentuale = Currency::fromRaw(riga.column(0).intOr(0) * (Currency::Scale / 100));
    a.TestoAliquota = basic::Format(a.Percentuale, "#0.00");
    if (a.Percentuale.isZero()) {
        a.TestoImposta = AliquotaIva::Imposta::Descrizione;
        a.Descrizione = riga.column(1).textOr(QString());
    }
    return a;
}

AliquotaIva AliquotaDaCodiceDigitato(const QString& codice) {
    AliquotaIva a;
    a.TestoAliquota = codice;
    a.TestoImposta = AliquotaIva::Imposta::Codice;
    // Digits the amount reading refuses ("1-2") carry no rate, as a code without digits.
    if (const auto percentuale = AliquotaDigitata(codice)) {
        a.Percentuale = *percentuale;
        a.TestoImposta = AliquotaIva::Imposta::Importo;
    }
    return a;
}

int PrimaRigaConAliquotaNonAmmessa(const TabellaRigheFattura& righe, const RiepilogoIva& riepilogo) {
    for (int i = 1; i <= righe.NumeroRighe(); ++i) {
        const GruppoIva* gruppo = riepilogo.gruppoDelCodice(righe.riga(i).CodiceIva);
        if (gruppo && !AliquotaAmmessa(gruppo->Percentuale)) return i;
    }
    return 0;
}

std::optional<QString> RifiutoCodiceIvaDigitato(const QString& codice) {
    if (!NumeroInCifre(codice)) {
        if (ContieneCifre(codice)) return MessaggioAliquotaNonInCifre;
        return std::nullopt;
    }
    if (!AliquotaDigitataAmmessa(codice)) return MessaggioAliquotaNonAmmessa;
    return std::nullopt;
}

const AliquotaIva* LettoreAliquoteIva::leggiSenzaCopia(const QString& codice, Procedura& procedura) {
    // Codes are remembered without the blanks around them; most come without any.
    if (const auto letto = letti_.find(codice); letto != letti_.end()) return &letto->second;
    QString chiave = basic::Trim(codice);
    if (const auto letto = letti_.find(chiave); letto != letti_.end()) return &letto->second;
    std::optional<AliquotaIva> a;
    if (!collegato_) {
        a = AliquotaDaCodiceDigitato(chiave);
    } else {
        if (!sessione_) throw std::logic_error("a linked VAT reader needs a session");
        procedura.esegui([&] { a = AliquotaDellArchivio(*sessione_, chiave); });
    }
    if (!a) return nullptr;
    return &letti_.emplace(std::move(chiave), std::move(*a)).first->second;
}

const AliquotaIva* LettoreAliquoteIva::lettaSenzaCopia(const QString& codice) const {
    auto letto = letti_.find(codice);
    if (letto == letti_.end()) letto = letti_.find(basic::Trim(codice));
    return letto == letti_.end() ? nullptr : &letto->second;
}

std::optional<AliquotaIva> LettoreAliquoteIva::leggi(const QString& codice, Procedura& procedura) {
    const AliquotaIva* a = leggiSenzaCopia(codice, procedura);
    return a ? std::optional<AliquotaIva>(*a) : std::nullopt;
}

std::optional<AliquotaIva> LettoreAliquoteIva::letta(const QString& codice) const {
    const AliquotaIva* a = lettaSenzaCopia(codice);
    return a ? std::optional<AliquotaIva>(*a) : std::nullopt;
}

const std::optional<ElementoCatalogoIva>* LettoreAliquoteIva::elementoSenzaCopia(const QString& codice,
                                                                               db::Database& sessione,
                                                                               Procedura& procedura) {
    if (const auto letto = elementi_.find(codice); letto != elementi_.end()) return &letto->second;
    std::optional<ElementoCatalogoIva> elemento;
    if (!procedura.esegui([&] {
            elemento.reset();
            db::Statement r(sessione, "SELECT iva, ivacee, tipo FROM elefat WHERE codice = ?", {codice});
            if (r.step())
                elemento = ElementoCatalogoIva{r.column(0).textOr(QString()), r.column(1).textOr(QString()),
                                               r.column(2).textOr(QString())};
        }))
        return nullptr;
    return &elementi_.emplace(codice, std::move(elemento)).first->second;
}

std::optional<std::optional<ElementoCatalogoIva>> LettoreAliquoteIva::elemento(const QString& codice,
                                                                            db::Database& sessione,
                                                                            Procedura& procedura) {
    const std::optional<ElementoCatalogoIva>* e = elementoSenzaCopia(codice, sessione, procedura);
    if (!e) return std::nullopt;
    return *e;
}

Currency ImpostaRiga(const RigaFattura& riga, const AliquotaIva& aliquota) {
    return ImpostaSuImponibile(riga.impofat, aliquota.Percentuale);
}

QString TestoImpostaRiga(const RigaFattura& riga, const AliquotaIva& aliquota) {
    switch (aliquota.TestoImposta) {
    case AliquotaIva::Imposta::Descrizione: return aliquota.Descrizione;
    case AliquotaIva::Imposta::Codice: return riga.CodiceIva;
    case AliquotaIva::Imposta::Importo: break;
    }
    return basic::Format(ImpostaRiga(riga, aliquota), "#########0.00");
}

Currency CalcoloIva(RigaFattura& riga, bool ivaCee, db::Database& sessione, LettoreAliquoteIva& aliquote) {
    Procedura proc(QStringLiteral("Funzione di calcolo iva"));
    if (!riga.IvaBloccata) {
        const auto* elemento = aliquote.elementoSenzaCopia(riga.elemento, sessione, proc);
        if (!elemento) return {};
        if (*elemento) {
            riga.Tipo = (*elemento)->Tipo;
            riga.CodiceIva = ivaCee ? (*elemento)->IvaCee : (*elemento)->Iva;
        }
    }
    const AliquotaIva* aliquota = aliquote.leggiSenzaCopia(riga.CodiceIva, proc);
    return aliquota ? ImpostaRiga(riga, *aliquota) : Currency();
}

QString DefinizioneAliquotaIva(const RigaFattura& riga, LettoreAliquoteIva& aliquote) {
    Procedura proc(QStringLiteral("Funzione di definizione aliquota iva"));
    const AliquotaIva* aliquota = aliquote.leggiSenzaCopia(riga.CodiceIva, proc);
    return aliquota ? aliquota->TestoAliquota : QString();
}

QString CalcoloImpostaIva(const RigaFattura& riga, LettoreAliquoteIva& aliquote) {
    Procedura proc(QStringLiteral("Funzione di calcolo imposta iva"));
    const AliquotaIva* aliquota = aliquote.leggiSenzaCopia(riga.CodiceIva, proc);
    return aliquota ? TestoImpostaRiga(riga, *aliquota) : QString();
}
