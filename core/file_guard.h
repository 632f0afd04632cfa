#pragma once
// Saving a data file that another tovel window (or another program) may have saved since this
// one read it: the save notices, and the user chooses what is kept.

#include <cstdint>
#include <functional>
#include <string>

#include "core/safe_file.h"
#include "core/user_port.h"

namespace tovel {

// What a file was when it was read. Two stamps differ when the file was replaced or written.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds

    bool operator==(const FileStamp&) const = default;
};

// The file path names now, links followed. Never throws; what cannot be looked at does not
// exist.
FileStamp StampOf(const std::string& path);

// An exclusive lock on the folder of path while it lives, so that two windows never check and
// write the data files of one folder at the same moment. Where the folder cannot be locked the
// save goes on unlocked, as before.
class FolderLock {
  public:
    explicit FolderLock(const std::string& path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int m_fd = -1;
};

enum class SaveOutcome { Saved, Failed, Reload, Cancelled };

// Saves a data file that had stamp when it was read, write() doing the writing. Under the
// folder's lock: while the file is as it was read, write() runs; when it changed since, the user
// is asked whether to read it again (Reload: nothing is written and the caller reads the file
// again, losing this window's changes), to save over it, or to cancel. Once Saved, stamp is the
// new file's. Failed leaves write()'s reason in error.
SaveOutcome SaveUnlessChanged(const std::string& path, FileStamp& stamp, UserPort& port,
                              const std::function<FileResult()>& write, std::string* error);

}  // namespace tovel
