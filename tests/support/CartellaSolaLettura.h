#pragma once
// A folder in which nothing can be written while the guard lives, as a read-only share is: its
// permissions made read-only and, since the test may run as root (who writes anywhere), the
// calling thread's power to override permissions set aside until the guard goes. The files
// already there stay readable.
#include <QFile>
#include <QString>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class CartellaSolaLettura {
public:
    explicit CartellaSolaLettura(const QString& path) : path_(path), permessi_(QFile::permissions(path)) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser |
                                        QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (::syscall(SYS_capget, &intestazione_, prima_) != 0) return;
        __user_cap_data_struct senza[2] = {prima_[0], prima_[1]};
        senza[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        ridotti_ = ::syscall(SYS_capset, &intestazione_, senza) == 0;
    }
    ~CartellaSolaLettura() {
        if (ridotti_) ::syscall(SYS_capset, &intestazione_, prima_);
        QFile::setPermissions(path_, permessi_);
    }
    CartellaSolaLettura(const CartellaSolaLettura&) = delete;
    CartellaSolaLettura& operator=(const CartellaSolaLettura&) = delete;

    // Whether a file can be created there now: false once the guard holds.
    bool scrivibile() const {
        QFile prova(path_ + "/prova-di-scrittura");
        const bool si = prova.open(QIODevice::WriteOnly);
        if (si) prova.remove();
        return si;
    }

private:
    QString path_;
    QFile::Permissions permessi_;
    __user_cap_header_struct intestazione_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct prima_[2] = {};
    bool ridotti_ = false;
};
