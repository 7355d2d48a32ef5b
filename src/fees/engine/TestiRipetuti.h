#pragma once
#include <QString>
#include <string>
#include <variant>
#include <vector>

#include "platform/db/Value.h"

// The texts of a list of fee items, read row after row. The rows of one case file repeat most
// of their texts from one row to the next (client, case, task, job, accounts, payment): a
// text stored as in the row before is that row's string, shared, instead of being decoded
// into a new one.
class TestiRipetuti {
public:
    QString testo(const db::Value& v, int colonna) {
        const auto* t = std::get_if<std::string>(&v.raw());
        if (!t) return v.textOr(QString());
        if (size_t(colonna) >= precedenti_.size()) precedenti_.resize(size_t(colonna) + 1);
        Precedente& p = precedenti_[size_t(colonna)];
        if (!p.letto || *t != p.byte) {
            p.byte = *t;
            p.testo = QString::fromStdString(*t);
            p.letto = true;
        }
        return p.testo;
    }

private:
    struct Precedente {
        bool letto = false;
        std::string byte;
        QString testo;
    };
    std::vector<Precedente> precedenti_;
};
