#include "platform/db/SqlFunctions.h"

#include <sqlite3.h>

#include <cstdio>

namespace db {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long daysFromCivil(long long y, long long m, long long d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, long long& y, long long& m, long long& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = yoe + era * 400;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y += m <= 2;
}

void sqlDateSerial(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    char buffer[32];
    const char* text = dateSerial(sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]),
                                  sqlite3_value_int64(argv[2]), buffer);
    if (*text == 0) sqlite3_result_null(ctx);
    else sqlite3_result_text(ctx, text, -1, SQLITE_TRANSIENT);
}

}  // namespace

const char* dateSerial(long long year, long long month, long long day, char (&buffer)[32]) {
    // Two-digit years: 0-29 are 2000-2029, 30-99 are 1930-1999.
    if (year >= 0 && year < 30) year += 2000;
    else if (year >= 30 && year < 100) year += 1900;
    long long m0 = month - 1;
    year += m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);
    m0 = ((m0 % 12) + 12) % 12;
    const long long days = daysFromCivil(year, m0 + 1, 1) + (day - 1);
    long long y, m, d;
    civilFromDays(days, y, m, d);
    if (y < 100 || y > 9999) {
        buffer[0] = 0;
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", int(y), int(m), int(d));
    return buffer;
}

void registerSqlFunctions(sqlite3* handle) {
    sqlite3_create_function_v2(handle, "DateSerial", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               sqlDateSerial, nullptr, nullptr, nullptr);
}

}  // namespace db
