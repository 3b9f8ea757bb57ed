// Replacing several files of one folder as one step for their readers. The writer makes
// complete, synced temporary files beside their targets (TempFile); commitFiles then, under
// the folder's lock, names them, writes a record "NAME.maj" listing the renames, makes it
// durable, renames every temporary file over its target and removes the record. A process killed
// anywhere in between leaves either the old files and no record, or a record that the next
// writer or reader of NAME completes (rollForward, under the same lock). A record only
// ever renames NAME.EXT.tmp-XXXXXX over NAME.EXT in its own folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvix {

class TempFile;

struct Replacement {
    TempFile *temp;     // complete; named here, handed over once the record is in place
    std::string target; // path it replaces, in the same folder
};

// Called with the number of the step about to run: 0 name the files and write the record,
// 1 put the record in place, 2 .. 1+n the renames, 2+n remove the record (a test kills the
// process there).
using CommitHook = std::function<void(int32_t)>;

// The record of NAME in `folder` ("" or ending with '/').
std::string commitRecordPath(const std::string &folder, const std::string &name);

// Replaces the targets (all in `folder`, all named NAME.EXT) by the temporary files, taking
// the folder's lock; false with `error` set (French) when anything refuses, the old files
// then being either untouched or replaced as a whole by the next rollForward. Temporary
// names of these targets left by a process killed while it committed are removed.
// `durable` false skips the syncs: a killed process still leaves the old or the new files,
// a power cut may not.
bool commitFiles(const std::string &folder, const std::string &name,
                 const std::vector<Replacement> &files, std::string &error,
                 const CommitHook &hook = {}, bool durable = true);

// Completes an interrupted commit of NAME; true when none was pending or it is now done.
// The caller holds the folder's DirectoryLock.
bool rollForward(const std::string &folder, const std::string &name, std::string &error);

} // namespace morvix
