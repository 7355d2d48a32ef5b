#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "foundation/engine/Ambiente.h"
#include "foundation/forms/FrmInformazioni.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using ui::Answer;

namespace {

const QString NonDisponibili = "Le informazioni sul sistema non sono disponibili in questa fase";

// Sets the system-information program for one test and restores the environment after it.
class ProgrammaInfoSistema {
public:
    explicit ProgrammaInfoSistema(const QByteArray& valore)
        : prima_(qgetenv(FrmInformazioni::VariabileInfoSistema)),
          cera_(qEnvironmentVariableIsSet(FrmInformazioni::VariabileInfoSistema)) {
        qputenv(FrmInformazioni::VariabileInfoSistema, valore);
    }
    ~ProgrammaInfoSistema() {
        if (cera_) qputenv(FrmInformazioni::VariabileInfoSistema, prima_);
        else qunsetenv(FrmInformazioni::VariabileInfoSistema);
    }

private:
    QByteArray prima_;
    bool cera_;
};

class FrmInformazioniTest : public ::testing::Test {
protected:
    void SetUp() override {
        RipristinaAmbiente();
        AmbienteLavoro().DescrizioneProgramma = "Programma di prova";
    }
    void TearDown() override { RipristinaAmbiente(); }
};

TEST_F(FrmInformazioniTest, ShowsTitleVersionAndDescription) {
    FrmInformazioni form;
    EXPECT_EQ(form.windowTitle(), "INFORMAZIONI SU");
    const QString versione = QStringLiteral("%1.%2.%3")
                                 .arg(FASCOLE_VERSION_MAJOR)
                                 .arg(FASCOLE_VERSION_MINOR)
                                 .arg(FASCOLE_VERSION_PATCH);
    EXPECT_EQ(form.LblVersione->text(), "Versione " + versione);
    EXPECT_EQ(form.LblDescrizione->text(), "Programma di prova");
    EXPECT_EQ(form.LblProdotto->text(), QGuiApplication::applicationDisplayName());
}

TEST_F(FrmInformazioniTest, OkCloses) {
    FrmInformazioni form;
    form.show();
    QTest::mouseClick(form.CmdOK, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(FrmInformazioniTest, WithoutAToolTheUserIsToldAndNothingStarts) {
    TempDir dir;
    const struct {
        const char* nome;
        QByteArray programma;
    } casi[] = {
        {"not configured", QByteArray()},
        {"blank", QByteArray("   ")},
        {"missing program", dir.file("manca/sysinfo").toLocal8Bit()},
    };
    for (const auto& c : casi) {
        ProgrammaInfoSistema env(c.programma);
        FrmInformazioni form;
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, NonDisponibili);
        QTest::mouseClick(form.CmdSysInfo, Qt::LeftButton);
        ASSERT_EQ(box.asked().size(), 1u) << c.nome;
        EXPECT_EQ(box.asked()[0].buttons, ui::Buttons::Ok);
        EXPECT_TRUE(box.asked()[0].title.isEmpty()) << "no title of its own";
    }
}

TEST_F(FrmInformazioniTest, ConfiguredToolIsStartedWithoutMessage) {
    TempDir dir;
    const QString segno = dir.file("avviato");
    const QString script = dir.file("sysinfo.sh");
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("#!/bin/sh\ntouch '" + segno + "'\n").toLocal8Bit());
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProgrammaInfoSistema env(script.toLocal8Bit());

    FrmInformazioni form;
    ScriptedMessages box;  // no message expected
    QTest::mouseClick(form.CmdSysInfo, Qt::LeftButton);
    EXPECT_TRUE(box.asked().empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(segno); }, 5000));
}

}  // namespace
