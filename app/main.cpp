#include <QApplication>

#include "casefiles/FrmFascola.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("FASCOLE & FATTURAZIONE");
    FrmFascola window;
    window.show();
    return app.exec();
}
