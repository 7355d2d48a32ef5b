#pragma once
// The five options of a billing criterion, each standing for its letter: M end of month,
// D advances, V each item, L end of job, P end of case file. The case-file mask and the
// client's billing parameters both offer them.
#include <tuple>

class QButtonGroup;
class QRadioButton;

using OpzioniCinque = std::tuple<QRadioButton*, QRadioButton*, QRadioButton*, QRadioButton*, QRadioButton*>;

// The options named `nomi` with the captions `testi`, in the order of the letters above,
// gathered in `gruppo`.
OpzioniCinque CreaOpzioniCriterio(QButtonGroup& gruppo, const char* const (&nomi)[5], const char* const (&testi)[5]);
