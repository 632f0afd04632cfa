#pragma once
// Sorting a text by blocks of N lines, and sorting a file in place with a backup. Text is
// handled as bytes (the files are Windows-1252); nothing here knows about windows.

#include <functional>
#include <string>
#include <vector>

namespace linord {

// The lines of a file's contents: split at LF, a CR before it dropped; a last line without its
// line end counts; an empty text has no lines.
std::vector<std::string> SplitLines(const std::string& contents);

// Sorts the lines by blocks of n (n >= 1): ascending by the block's first line without blanks
// at its ends, case-insensitively (ASCII letters upper-cased; other bytes by code, so accented
// capitals come after Z); blocks with equal first lines keep their order; a last incomplete
// block is completed with empty lines. O(b log b) comparisons for b blocks.
std::vector<std::string> SortBlocks(const std::vector<std::string>& lines, std::size_t n);

// The same sort on a file's contents, which differ afterwards only in the order of their
// blocks: every line keeps its own line end (LF or CR LF), and the text ends with a line end
// only if it did before. A line that had none (the last one) gets the file's line end when it
// moves up, as do the empty lines that complete a last block; the file's line end is the
// first line's, CR LF for a text with none.
std::string SortText(const std::string& contents, std::size_t n);

// The backup's name: the file name up to its last "." (dots in folder names do not count),
// ".~" and the first two characters after it: lib.zq -> lib.~zq, notes.txt -> notes.~tx.
// Empty when the file name has no extension dot.
std::string BackupName(const std::string& file);

// The command line "FILE N": N is its last word, the file name everything before it (blanks
// within it kept); false when it cannot be split (no blank, or N is not a positive whole number
// below 1000).
bool SplitCommandLine(const std::string& commandLine, std::string& file, std::size_t& n);

struct SortOutcome {
    enum Kind { Sorted, NotFound, Failed } kind = Failed;
    std::string backup;   // for Sorted
    std::string message;  // for Failed
};

// Sorts the file in place. Only a writable regular text file is sorted: a pipe, a device, a
// read-only file or one holding NUL bytes is refused and left alone. The backup gets the
// file's exact bytes, then the sorted text replaces the file; both are written to a temporary
// file in their own folder and renamed over their names, with the file's permissions, so a
// failure (full disk, size limit, no permission) leaves the file as it was and the reason in
// the message. A symbolic link stays a link: the file it points to is the one rewritten, and
// the backup is named after the link, beside it. A backup that is read-only is kept, and the
// file is not sorted. beforeReplacing, when given, is called once both temporary files are
// written and before either takes its name (where an interrupted sort leaves the most behind).
SortOutcome SortFile(const std::string& file, std::size_t n,
                     const std::function<void()>& beforeReplacing = {});

// Makes SIGTERM, SIGINT, SIGHUP and SIGQUIT remove the temporary files of a sort under way
// before the process ends by the signal (SIGKILL cannot be caught: tovel removes what is left
// at its next start).
void RemoveTemporariesOnSignals();

}  // namespace linord
