#pragma once
#include <QString>

#include "platform/db/DbError.h"

// Failures of a report run, raised as the program's one error type so that the caller's
// error handler reports them with its own description. Each case has a number of its own, in
// a range no database error uses.
namespace report::err {

constexpr int LayoutNotFound = 20507;   // the report file is nowhere to be found
constexpr int LayoutInvalid = 20525;    // the report file cannot be read or understood
constexpr int NoPrinter = 20526;        // no default printer
constexpr int PrintFailed = 20540;      // the printer or the output file refused the pages
constexpr int DataFileNotFound = db::err::FileNotFound;
constexpr int TableNotFound = db::err::TableNotFound;
constexpr int ColumnNotFound = db::err::UnknownColumn;

inline db::DbError error(int number, const QString& description) {
    return db::DbError(number, description.toStdString(), "Fascole.Report");
}

}  // namespace report::err
