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
// `path` & "." & this computer's name (letters and digits) & "-" & the process id & "-" &
// the process's stamp (ProcessStamp) & `ending`. Beside the file, so that a rename gives it its
// name whole; distinct for each computer and process, so that no two ever write the same one,
// and telling this process apart from a later one that is given the same id. The ending ".tmp"
// names a file being written; another ending names a file this process holds for an operation
// of its own (a copy being cancelled, say), which no sweep of ".tmp" names touches.
QString TemporaryName(const QString& path, QStringView ending = u".tmp");

// A file name (without folder) read as a temporary name of TemporaryName with `ending` (or its
// database journal, the same name followed by "-journal"). Names written before the stamp was
// added ("….<computer>-<pid>.tmp") are read too, with no stamp.
struct TemporaryNameParts {
    QString original;  // the name the file was to take
    QString host;      // the computer that wrote it
    qint64 pid = 0;    // the process that wrote it
    QString stamp;     // the process's stamp; empty in a name of the earlier form
    bool journal = false;
};
std::optional<TemporaryNameParts> ReadTemporaryName(const QString& fileName, QStringView ending = u".tmp");

// Whether the process `pid` of this computer is still running.
bool ProcessRunning(qint64 pid);

// What tells the running process `pid` apart from any other that has had or will have that id
// on this computer: the computer's boot and the moment the process started, as letters and
// digits. Empty when the process is not running or the system does not say.
QString ProcessStamp(qint64 pid);

// A temporary name written by a process of this computer that no longer runs: what an
// interrupted operation left. The process is the one that wrote the name only when it carries
// the same stamp; for a name of the earlier form, only when it started before the file at
// `path` was last written (a process started after it took a free id, after a restart say).
// Files of other computers are never judged here (their process cannot be seen). `path` is the
// file, or its name alone; `ending` the one its temporary name has.
bool IsLeftover(const QString& path, QStringView ending = u".tmp");

// Removes the leftovers (IsLeftover) in folder `folder` (a local path) whose original name
// satisfies `original` (a file name, without folder). Returns how many went.
int RemoveLeftovers(const QString& folder, bool (*original)(const QString& name));
int RemoveLeftoversOf(const QString& path);  // those of the file `path` itself

// The file operations, on local paths. Each returns false when it could not be done. A name
// given by ReplaceFile, RenameFile, CopyFile or WriteNewFile lasts through a power cut once the
// operation has returned: the folders it changed are flushed to the disk (SyncFolderOf).
bool RemoveFile(const QString& path);  // a file already gone (or going meanwhile) is no failure
// Gives `from` the name `to`, replacing a file of that name in one step. Across volumes the
// file is copied beside `to` under a temporary name, renamed over `to`, and `from` removed.
bool ReplaceFile(const QString& from, const QString& to);
// Gives `from` the name `to` only when no file has that name (false otherwise), in one step
// that fails when the name is there: a file that another process gives that name at the same
// moment is never replaced. Across volumes the file is copied beside `to` under a temporary
// name, which takes the name in the same way, and `from` is removed. On a file system that can
// neither rename without replacing nor make a hard link (some network and FUSE mounts), the
// name is taken by creating an empty file of that name, a step that fails when the name is
// there, and `from` is then renamed over it (the empty file goes again when that fails; a stop
// in between leaves it).
bool RenameFile(const QString& from, const QString& to);
// Removes `path` when it is an empty file: the reservation a stop left between taking a name
// and renaming onto it (see RenameFile). A file given its name by these operations is never
// empty, so nothing else goes. False when an empty file stays there.
bool RemoveNameReservation(const QString& path);
// Tests make the names of RenameFile and WriteNewFile taken as on a file system that can
// neither rename without replacing nor make a hard link (true), or back as the file system
// allows (false, the default).
void ForceNameReservation(bool force);
// Copies `from` to `to`: written beside `to` under a temporary name and renamed over it, so
// that `to` is never half a file.
bool CopyFile(const QString& from, const QString& to);
// Writes `content` as the new file `path`: beside it under a temporary name, flushed to the
// disk, then named as RenameFile names, so that the file is whole or absent. 0 when done, else
// the system's error number (errno; EEXIST when a file has the name already).
int WriteNewFile(const QString& path, const QByteArray& content);

// Flushes to the disk the folder that holds `path`, so that a name just given there is not
// undone by a power cut. Passes the checkpoint "folder synced" once it is done.
void SyncFolderOf(const QString& path);

// Takes the file `path` for this process: it is renamed, in one step, to this process's
// temporary name (TemporaryName, with `ending`) of `original` in its own folder, so that of
// several processes taking the same file only one gets it, and a process stopped while it holds
// the file leaves a leftover (IsLeftover). Returns the name it now has; empty when it was not
// taken: see QFileInfo::exists(path) to tell a file taken by another process (gone) from one
// that cannot be renamed here.
QString TakeFile(const QString& path, const QString& original, QStringView ending = u".tmp");

}  // namespace sys
