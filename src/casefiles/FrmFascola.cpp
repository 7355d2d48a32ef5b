#include "casefiles/FrmFascola.h"

#include "foundation/Generale.h"

FrmFascola::FrmFascola(QWidget* parent) : QMainWindow(parent) {
    setObjectName("FrmFascola");
    setWindowTitle("FASCOLE & FATTURAZIONE");
    resize(1024, 720);
    CentraForm(*this);
}
