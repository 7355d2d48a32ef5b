#include "platform/ui/FormUtil.h"
#include "support/QtPrinters.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A window centred before it is shown cannot know the frame it will get: allow for it.
void expectCentred(const QWidget& window) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    const QSize border = frame.size() - window.size();
    EXPECT_LE(std::abs(frame.left() - area.left() - (area.right() - frame.right())), 1 + border.width())
        << "left/right";
    EXPECT_LE(std::abs(frame.top() - area.top() - (area.bottom() - frame.bottom())), 1 + border.height())
        << "top/bottom";
}

}  // namespace

TEST(CentraForm, CentresAWindowOfGivenSize) {
    QWidget window;
    window.resize(301, 199);
    ui::CentraForm(window);
    window.show();
    EXPECT_EQ(window.size(), QSize(301, 199));
    expectCentred(window);
}

TEST(CentraForm, CentresAWindowAtTheSizeItIsShownWith) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Una riga di testo abbastanza lunga da dare larghezza")));
    ui::CentraForm(window);
    window.show();
    expectCentred(window);
}
