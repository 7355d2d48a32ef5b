#include <QApplication>

#include "casefiles/forms/FrmFascola.h"
#include "foundation/engine/Ambiente.h"
#include "app/MontaggioFinestra.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtTranslations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(TitoloProgramma);
    ui::installFocusColours();
    ui::installQtMessages();
    ui::installItalianQtTranslations();
    FrmFascola window;
    MontaggioFinestra(window);
    // The start folder is the folder the program is started from. The start-up may end the
    // program before the window is ever shown.
    window.Form_Load();
    window.show();
    return app.exec();
}
