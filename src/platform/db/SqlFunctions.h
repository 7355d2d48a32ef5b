#pragma once

struct sqlite3;

namespace db {

// Date arithmetic for the archives' SQL on the ISO date texts they hold.
// DateSerial(year, month, day) normalises its parts: month 13 is January of the next year,
// day 0 the last day of the previous month.
void registerSqlFunctions(sqlite3* handle);

// The ISO text "YYYY-MM-DD" of DateSerial(year, month, day), or "" when out of range.
const char* dateSerial(long long year, long long month, long long day, char (&buffer)[32]);

}  // namespace db
