#pragma once
#include <stdexcept>
#include <string>

namespace db {

// The source an error carries when its raiser names no other: the program's name. The error
// handler receives it with the number and the description and shows neither it nor any other
// source.
inline constexpr const char* ProgramSource = "Fascole";

// A failure carrying the error number callers test for (lock conflicts, duplicate key, refused
// text and so on: the numbers are fixed, the error handler and the forms act on them) and an
// Italian description.
class DbError : public std::runtime_error {
public:
    DbError(int number, std::string description, std::string source = ProgramSource)
        : std::runtime_error(description), number(number), description(std::move(description)),
          source(std::move(source)) {}

    int number;
    std::string description;
    std::string source;
};

namespace err {
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;
constexpr int Generic = 3000;
constexpr int DuplicateKey = 3022;
constexpr int FileNotFound = 3024;
constexpr int NoCurrentRecord = 3021;
constexpr int UnknownColumn = 3265;
constexpr int SyntaxError = 3075;
constexpr int TableNotFound = 3078;
constexpr int TextTooLong = 3163;
constexpr int DatabaseExists = 3204;
constexpr int Locked = 3218;
constexpr int LockedByUser = 3260;
constexpr int TableLocked = 3261;
constexpr int CannotLockTable = 3262;
constexpr int NullRefused = 3314;
constexpr int EmptyTextRefused = 3315;
constexpr int NotUpdatable = 3027;
constexpr int NoEditInProgress = 3020;
constexpr int FileInUse = 3051;
// Another workstation deleted the row, or changed it, since it was read.
constexpr int RecordDeleted = 3167;
constexpr int DataChanged = 3197;

// The row another workstation deleted, or changed, since this one read it.
inline DbError recordDeleted() { return DbError(RecordDeleted, "Il record è stato eliminato da un altro utente."); }
inline DbError dataChanged() {
    return DbError(DataChanged, "Operazione interrotta: un altro utente ha modificato gli stessi dati nel frattempo.");
}

// "Type mismatch": a text that is no number or no date where one is needed.
inline DbError typeMismatch() { return DbError(TypeMismatch, "Tipo non corrispondente."); }

inline bool isLockConflict(int number) {
    return number == Locked || number == LockedByUser || number == TableLocked ||
           number == CannotLockTable;
}
}  // namespace err

}  // namespace db
