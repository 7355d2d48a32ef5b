#include <QApplication>

#include "casefiles/FrmFascola.h"
#include "foundation/Ambiente.h"
#include "invoice/MontaggioFinestra.h"
#include "platform/ui/FocusEvents.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(TitoloProgramma);
    ui::installFocusColours();
    FrmFascola window;
    MontaggioFinestra(window);
    // The start folder is the folder the program is started from. The start-up may end the
    // program before the window is ever shown.
    window.Form_Load();
    window.show();
    return app.exec();
}
