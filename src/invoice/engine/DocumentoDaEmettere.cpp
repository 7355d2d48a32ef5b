#include "invoice/engine/DocumentoDaEmettere.h"

QString LetteraDocumento(TipoDocumento tipo) { return QString(QChar::fromLatin1(static_cast<char>(tipo))); }

std::optional<TipoDocumento> TipoDaLettera(const QString& lettera) {
    for (TipoDocumento t : {TipoDocumento::Fattura, TipoDocumento::NotaDebito, TipoDocumento::NotaCredito})
        if (lettera == LetteraDocumento(t)) return t;
    return std::nullopt;
}

DocumentoDaEmettere DocumentoInComposizione(TipoDocumento tipo, const RiepilogoIva& riepilogo,
                                            const FascolaEmessa& fascola) {
    DocumentoDaEmettere d;
    d.Tipo = tipo;
    d.RigheFattura = FatturaInComposizione().RigheFattura;
    d.RigheVisualizzate = FatturaInComposizione().RigheVisualizzate;
    d.Riepilogo = riepilogo;
    d.Fascola = fascola;
    d.Parametri = ParametriFattura();
    d.Note = NoteFattura();
    d.DatiCliente = DatiClienteFattura();
    d.Ambiente = AmbienteLavoro();
    return d;
}
