#include "casefiles/forms/OpzioniCriterio.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "platform/ui/FormUtil.h"

OpzioniCinque CreaOpzioniCriterio(QButtonGroup& gruppo, const char* const (&nomi)[5], const char* const (&testi)[5]) {
    static const char* const lettere[] = {"M", "D", "V", "L", "P"};
    auto crea = [&](int i) {
        QRadioButton* o = ui::valueOption(nomi[i], testi[i], lettere[i]);
        gruppo.addButton(o);
        return o;
    };
    return {crea(0), crea(1), crea(2), crea(3), crea(4)};
}
