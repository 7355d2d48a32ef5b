#pragma once
#include <functional>

#include "platform/db/DbError.h"

// The number of the db::DbError that `call` raises; 0 when it raises none.
inline int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const db::DbError& e) {
        return e.number;
    }
    return 0;
}
