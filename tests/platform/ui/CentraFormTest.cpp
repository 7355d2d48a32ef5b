#include "platform/ui/FormUtil.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

void expectCentred(const QWidget& window) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    EXPECT_LE(std::abs(frame.left() - area.left() - (area.right() - frame.right())), 1) << "left/right";
    EXPECT_LE(std::abs(frame.top() - area.top() - (area.bottom() - frame.bottom())), 1) << "top/bottom";
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
