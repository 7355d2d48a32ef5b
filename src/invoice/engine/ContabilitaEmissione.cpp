#include "invoice/engine/ContabilitaEmissione.h"

#include "accounting/engine/NumerazioneDocumenti.h"
#include "accounting/engine/NumeriRegistrazione.h"
#include "foundation/engine/Ambiente.h"

namespace {

// The numbering reads the register from the program-wide parameters: for the call, they name
// the register of the document being issued.
class RegistroPerLaChiamata {
public:
    explicit RegistroPerLaChiamata(const QString& registro) : prima_(ParametriFattura().RegistroIva) {
        ParametriFattura().RegistroIva = registro;
    }
    ~RegistroPerLaChiamata() { ParametriFattura().RegistroIva = prima_; }

private:
    QString prima_;
};

}  // namespace

QString NumeroDocumentoDalRegistro(db::Database& sessione, const QString& registro, const QString& lettera) {
    RegistroPerLaChiamata r(registro);
    return NumeroFattura(sessione, lettera);
}

QString NumeroRegistrazioneRiservato(db::Database& sessione, const QString& data) {
    return AssegnaNumeroRegistrazione(sessione, data);
}

int RegistraDocumento(db::Database& sessione, DatiRegistrazione& dati) { return RegistrazioneContabile(sessione, dati); }
