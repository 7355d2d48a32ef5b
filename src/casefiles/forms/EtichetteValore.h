#pragma once
// Labels that keep one size whatever they show: the values of the case file on display
// (client, numbers, task title), the captions of the mask's action and of the record
// navigator, the fee-item tab's captions of the amount boxes. A label sized by its text asks
// the layouts around it to run again whenever it is given a text, and once they reach the tab
// widget it repaints every widget of the tab, where only the label needs it.
#include <QStringList>

class QLabel;
class QWidget;

// The widths of the labels, in pixels: a client's name, a client code or an absolute case
// number, a case, task or job number, a task's title.
constexpr int LarghezzaNome = 300;
constexpr int LarghezzaCodice = 110;
constexpr int LarghezzaNumero = 50;
constexpr int LarghezzaTitolo = 240;

// A label that shows a value: framed, as the tabs' heading and number labels are,
// `larghezza` pixels wide and one line high, whatever it shows.
QLabel* Valore(const char* nome, int larghezza, QWidget* parent = nullptr);

// `etichetta` put in a holder of its own that the layout sizes instead of it: the holder is
// `larghezzaMinima` wide at least, stretches as the layout lets it, is one line of the label
// high, and the label fills it. For a label whose width is the layout's to give. The holder
// is named "Riquadro" and the label's name.
QWidget* InRiquadroProprio(QLabel& etichetta, int larghezzaMinima);

// `etichetta` fixed at `larghezza` pixels, or at the width the longest of `testi` needs when
// that is more, and one line high: a new text repaints it and moves nothing.
void MisuraFissa(QLabel& etichetta, int larghezza, const QStringList& testi = {});
