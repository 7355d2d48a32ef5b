#pragma once
#include <QString>
#include <optional>

// The file operations that a multi-step operation of the program takes beside its
// transactions (writing a document's file under a name of its own, renaming it once the
// transaction has committed, removing it), and the points between them.
//
// Every operation here passes a checkpoint before and after the change it makes, and so does
// every SQL statement of the database layer: a test installs a hook that stops the process at
// any one of them, and checks that what is left on disk is whole.

namespace sys {

// A point of a multi-step operation at which the process may stop. `what` names it.
void Checkpoint(const char* what);
using CheckpointHook = void (*)(const char* what);
// Installs the hook run at every checkpoint (nullptr: none, the default).
void SetCheckpointHook(CheckpointHook hook);

// The name under which this process writes the file `path` before it takes its own:
// `path` & "." & this computer's name (letters and digits) & "-" & the process id & ".tmp".
// Beside the file, so that a rename gives it its name whole; distinct for each computer and
// process, so that no two ever write the same one.
QString TemporaryName(const QString& path);

// A file name (without folder) read as a temporary name of TemporaryName (or its database
// journal, the same name followed by "-journal").
struct TemporaryNameParts {
    QString original;  // the name the file was to take
    QString host;      // the computer that wrote it
    qint64 pid = 0;    // the process that wrote it
    bool journal = false;
};
std::optional<TemporaryNameParts> ReadTemporaryName(const QString& fileName);

// Whether the process `pid` of this computer is still running.
bool ProcessRunning(qint64 pid);

// A temporary name written by a process of this computer that no longer runs: what an
// interrupted operation left. Files of other computers are never judged here (their process
// cannot be seen).
bool IsLeftover(const QString& fileName);

// Removes the leftovers (IsLeftover) in folder `folder` (a local path) whose original name
// satisfies `original` (a file name, without folder). Returns how many went.
int RemoveLeftovers(const QString& folder, bool (*original)(const QString& name));
int RemoveLeftoversOf(const QString& path);  // those of the file `path` itself

// The file operations, on local paths. Each returns false when it could not be done.
bool RemoveFile(const QString& path);  // a file already gone is no failure
// Gives `from` the name `to`, replacing a file of that name in one step. Across volumes the
// file is copied beside `to` under a temporary name, renamed over `to`, and `from` removed.
bool ReplaceFile(const QString& from, const QString& to);
// Gives `from` the name `to` only when no file has that name (false otherwise).
bool RenameFile(const QString& from, const QString& to);
// Copies `from` to `to`: written beside `to` under a temporary name and renamed over it, so
// that `to` is never half a file.
bool CopyFile(const QString& from, const QString& to);

}  // namespace sys
