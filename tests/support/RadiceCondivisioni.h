#pragma once
// Other computers' shares mounted under a folder of the test's own while the guard lives
// (FASCOLE_MOUNT_ROOT), so that a network path reaches only what the test has put there; the
// variable is put back as it was when the guard goes.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

class RadiceCondivisioni {
public:
    explicit RadiceCondivisioni(const QString& radice)
        : impostata_(qEnvironmentVariableIsSet("FASCOLE_MOUNT_ROOT")), prima_(qgetenv("FASCOLE_MOUNT_ROOT")) {
        qputenv("FASCOLE_MOUNT_ROOT", radice.toLocal8Bit());
    }
    ~RadiceCondivisioni() {
        if (impostata_)
            qputenv("FASCOLE_MOUNT_ROOT", prima_);
        else
            qunsetenv("FASCOLE_MOUNT_ROOT");
    }
    RadiceCondivisioni(const RadiceCondivisioni&) = delete;
    RadiceCondivisioni& operator=(const RadiceCondivisioni&) = delete;

private:
    bool impostata_;
    QByteArray prima_;
};
