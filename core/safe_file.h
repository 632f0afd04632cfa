#pragma once
// File access that never leaves a half-written data file and never trusts a file's size.

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace tovel {

struct FileResult {
    bool ok = false;
    std::string error;  // why it failed, in Spanish, ready to show to the user
    explicit operator bool() const { return ok; }
};

// The temporary files of saves are named after their target, this suffix and six characters.
constexpr const char* kTemporarySuffix = ".tmp-";

// What a path names, links followed; a dangling link is Missing. Never throws: a link loop and a
// path that cannot be looked at are Other, refused as a pipe or a device is.
enum class PathKind { Missing, Regular, Folder, Other };
PathKind KindOfPath(const std::string& path);
// Whether anything stands at path itself, a broken link or a loop included.
bool PathPresent(const std::string& path);

// Writes bytes to a temporary file beside path, flushes it to disk, then renames it over path.
// A symbolic link is followed: its target is replaced and the link stays. The file's mode is
// kept. A read-only file, or one that is not a regular file, is refused. On failure path is
// untouched, the temporary file is removed and error gives the system's reason.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Appends bytes at the end of path in place, creating it (0666 less umask) when missing: a file
// the user collects things in keeps its inode, links and permissions. An exclusive lock is held
// while writing, so two windows appending at once add both their blocks, one after the other;
// a write that fails half-way is undone. A file that is not a regular file is refused.
FileResult AppendToFile(const std::string& path, std::string_view bytes);

// Removes the temporary files that saves and sorts killed before they ended left in folder
// (NAME.tmp-XXXXXX, and Linord's .NAME.linord-XXXXXX), those last changed before olderThan (so
// that a save or sort under way elsewhere is left alone). Returns how many.
int RemoveStaleTemporaryFiles(const std::string& folder, std::time_t olderThan);

struct ReadResult {
    bool ok = false;           // the file could be opened and read
    std::string bytes;         // at most maxBytes of it
    std::size_t fileSize = 0;  // the size on disk, which may exceed what was read
    std::string error;
    explicit operator bool() const { return ok; }
};

// Reads at most maxBytes from the start of the file. Anything but a regular file (a named
// pipe, a device, a folder) is refused at once, never waited for.
ReadResult ReadFilePrefix(const std::string& path, std::size_t maxBytes);

}  // namespace tovel
