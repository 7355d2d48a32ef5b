#include "casefiles/forms/NavigatoreRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "casefiles/forms/EtichetteValore.h"
#include "platform/system/BasicRuntime.h"

namespace {

QToolButton* pulsante(QWidget* padre, const char* nome, Qt::ArrowType freccia, const QString& testo) {
    auto* b = new QToolButton(padre);
    b->setObjectName(nome);
    b->setArrowType(freccia);
    b->setText(testo);
    b->setToolTip(testo);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

NavigatoreRecord::NavigatoreRecord(QWidget* parent) : QWidget(parent) {
    Primo = pulsante(this, "Primo", Qt::NoArrow, "|<");
    Precedente = pulsante(this, "Precedente", Qt::LeftArrow, "<");
    Successivo = pulsante(this, "Successivo", Qt::RightArrow, ">");
    Ultimo = pulsante(this, "Ultimo", Qt::NoArrow, ">|");
    didascalia_ = new QLabel(this);
    didascalia_->setObjectName("Didascalia");
    didascalia_->setAlignment(Qt::AlignCenter);
    didascalia_->setFrameShape(QFrame::Panel);
    didascalia_->setFrameShadow(QFrame::Sunken);

    auto* riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->setSpacing(0);
    riga->addWidget(Primo);
    riga->addWidget(Precedente);
    // The caption changes with every record shown: its width is the row's to give.
    riga->addWidget(InRiquadroProprio(*didascalia_, 120), 1);
    riga->addWidget(Successivo);
    riga->addWidget(Ultimo);

    connect(Primo, &QToolButton::clicked, this, [this] { emit Validate(1); });
    connect(Precedente, &QToolButton::clicked, this, [this] { emit Validate(2); });
    connect(Successivo, &QToolButton::clicked, this, [this] { emit Validate(3); });
    connect(Ultimo, &QToolButton::clicked, this, [this] { emit Validate(4); });
}

QString NavigatoreRecord::caption() const { return didascalia_->text(); }

void NavigatoreRecord::setCaption(const QString& caption) { didascalia_->setText(caption); }

std::optional<NavigatoreRecord::Spostamento> NavigatoreRecord::Sposta(int azione, long posizione, long numero) {
    if (numero < 1) return std::nullopt;
    switch (azione) {
    case AzionePrimo: return Spostamento{1, true};
    case AzionePrecedente:
        if (posizione <= 1) return std::nullopt;
        return Spostamento{posizione - 1, false};
    case AzioneSuccessivo:
        if (posizione >= numero) return std::nullopt;
        return Spostamento{posizione + 1, false};
    case AzioneUltimo:
        if (numero <= 1) return std::nullopt;
        return Spostamento{numero, false};
    default: return std::nullopt;
    }
}

void NavigatoreRecord::MostraPosizione(long posizione, long numero, bool primo) {
    const QString totale = basic::Str(numero);
    setCaption(primo ? "1 di" + totale : basic::Str(posizione) + " di " + totale);
}
