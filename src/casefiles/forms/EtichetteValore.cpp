#include "casefiles/forms/EtichetteValore.h"

#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

#include "platform/ui/FormUtil.h"

namespace {

// Lays its one label over the whole of itself. Having no layout, it takes no notice of what
// the label asks for when its text changes, and asks nothing of the layouts around it.
class Riquadro final : public QWidget {
public:
    explicit Riquadro(QLabel& etichetta) : etichetta_(etichetta) { etichetta.setParent(this); }

protected:
    void resizeEvent(QResizeEvent* e) override { etichetta_.setGeometry(QRect(QPoint(), e->size())); }

private:
    QLabel& etichetta_;
};

// The height of one line of `etichetta`: an empty label is lower than one that shows a line.
int altezzaDiUnaRiga(QLabel& etichetta) {
    const QString mostrato = etichetta.text();
    etichetta.setText(QStringLiteral("0"));
    const int altezza = etichetta.sizeHint().height();
    etichetta.setText(mostrato);
    return altezza;
}

}  // namespace

QWidget* InRiquadroProprio(QLabel& etichetta, int larghezzaMinima) {
    auto* riquadro = new Riquadro(etichetta);
    riquadro->setObjectName("Riquadro" + etichetta.objectName());
    riquadro->setMinimumWidth(larghezzaMinima);
    riquadro->setFixedHeight(altezzaDiUnaRiga(etichetta));
    riquadro->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return riquadro;
}

void MisuraFissa(QLabel& etichetta, int larghezza, const QStringList& testi) {
    const QString mostrato = etichetta.text();
    int altezza = altezzaDiUnaRiga(etichetta);
    for (const QString& testo : testi) {
        etichetta.setText(testo);
        larghezza = std::max(larghezza, etichetta.sizeHint().width());
        altezza = std::max(altezza, etichetta.sizeHint().height());
    }
    etichetta.setText(mostrato);
    etichetta.setFixedSize(larghezza, altezza);
}

QLabel* Valore(const char* nome, int larghezza, QWidget* parent) {
    QLabel* etichetta = ui::valueLabel(nome, 0, parent);
    MisuraFissa(*etichetta, larghezza);
    return etichetta;
}
