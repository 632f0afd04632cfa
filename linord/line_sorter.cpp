#include "linord/line_sorter.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string_view>

namespace linord {

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

// The sort key of a block: its first line without blanks at its ends, ASCII letters
// upper-cased. Keys compare as std::string does, byte by byte as unsigned codes, a prefix
// being the smaller, so accented capitals (0xC0 and up) come after Z.
std::string Key(std::string_view line) {
    const auto first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = line.find_last_not_of(kBlanks);
    std::string key(line.substr(first, last - first + 1));
    for (auto& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    }
    return key;
}

// The order of a text's blocks: one key per block, computed once, then one stable sort, so
// blocks with equal first lines keep their order of appearance.
template <typename FirstLine>
std::vector<std::size_t> BlockOrder(std::size_t blocks, FirstLine firstLine) {
    std::vector<std::string> keys;
    keys.reserve(blocks);
    for (std::size_t b = 0; b < blocks; ++b)
        keys.push_back(Key(firstLine(b)));
    std::vector<std::size_t> order(blocks);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}

std::size_t BlockCount(std::size_t lines, std::size_t n) {
    return (lines + n - 1) / n;
}

// One line of a text: where its bytes are, and how many line-end bytes follow (0, 1 or 2).
struct Span {
    std::size_t begin = 0;
    std::size_t length = 0;
    std::size_t end = 0;
};

std::vector<Span> LineSpans(std::string_view text) {
    std::vector<Span> spans;
    std::size_t from = 0;
    while (from < text.size()) {
        auto lf = text.find('\n', from);
        Span span{from, 0, 0};
        if (lf == std::string_view::npos) {
            span.length = text.size() - from;
            from = text.size();
        } else {
            span.length = lf - from;
            span.end = 1;
            if (span.length > 0 && text[lf - 1] == '\r') {
                --span.length;
                span.end = 2;
            }
            from = lf + 1;
        }
        spans.push_back(span);
    }
    return spans;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadAll(int fd, std::size_t sizeHint, std::string& contents, int& error) {
    contents.clear();
    contents.reserve(sizeHint);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (put == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// The temporary files of the sort under way, for a signal's handler to remove: a sort has at
// most two at a time (the sorted text and the backup). Written only with the signals held, so
// the handler never reads a name half-written; a name too long for its slot is not kept.
constexpr int kCaughtSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
char g_temporaries[2][PATH_MAX];
volatile std::sig_atomic_t g_inUse[2] = {0, 0};

void RemoveTemporariesAndEnd(int signal) {
    for (int i = 0; i < 2; ++i) {
        if (g_inUse[i]) ::unlink(g_temporaries[i]);
    }
    // The handler was reset to the default: the process ends by the signal, as it would have.
    ::raise(signal);
}

// Holds the caught signals while it lives.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : kCaughtSignals)
            sigaddset(&set, signal);
        ::sigprocmask(SIG_BLOCK, &set, &m_before);
    }
    ~SignalsHeld() { ::sigprocmask(SIG_SETMASK, &m_before, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t m_before{};
};

// Keeps name for the handler; call with the signals held.
void KeepTemporary(const std::string& name) {
    for (int i = 0; i < 2; ++i) {
        if (!g_inUse[i] && name.size() < sizeof g_temporaries[i]) {
            std::memcpy(g_temporaries[i], name.c_str(), name.size() + 1);
            g_inUse[i] = 1;
            return;
        }
    }
}

// The temporary file has been renamed or removed: the handler must leave its name alone.
void ForgetTemporary(const std::string& name) {
    const SignalsHeld held;
    for (int i = 0; i < 2; ++i) {
        if (g_inUse[i] && name == g_temporaries[i]) g_inUse[i] = 0;
    }
}

// Renames a temporary file over its name and forgets it; false with errno set on failure.
bool RenameTemporary(const std::string& temp, const std::string& name) {
    const bool renamed = ::rename(temp.c_str(), name.c_str()) == 0;
    const int error = errno;
    if (!renamed) ::unlink(temp.c_str());
    ForgetTemporary(temp);
    errno = error;
    return renamed;
}

// A new file in the folder of path, under a name no other file has, holding bytes with the
// permissions (and, where the system allows it, the owner) of the file described by like.
// It is complete on disk before it is renamed over path, so path is always either its old or
// its new contents. On failure nothing is left behind and error holds the system's reason.
bool WriteTemporary(const std::string& path, std::string_view bytes, const struct stat& like,
                    std::string& temp, int& error) {
    std::string name = FolderOf(path) + "/." + NameOf(path) + ".linord-XXXXXX";
    int fd = -1;
    {
        const SignalsHeld held;  // a signal now would leave a file nobody knows of
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0) KeepTemporary(name);
    }
    if (fd < 0) {
        error = errno;
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (ok) {
        // Ownership before the mode, as a change of owner clears the set-id bits. Only root may
        // give a file away (root sorting a user's file gives it back to the user); for anyone
        // else the change is refused and the new file stays theirs.
        [[maybe_unused]] const bool givenBack = ::fchown(fd, like.st_uid, like.st_gid) == 0;
        // A file system that cannot sync (EINVAL) still holds the bytes written.
        ok = ::fchmod(fd, like.st_mode & 07777) == 0 && (::fsync(fd) == 0 || errno == EINVAL);
    }
    if (!ok) error = errno;
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(name.c_str());
        ForgetTemporary(name);
        return false;
    }
    temp = name;
    return true;
}

SortOutcome Failure(std::string message) {
    SortOutcome outcome;
    outcome.kind = SortOutcome::Failed;
    outcome.message = std::move(message);
    return outcome;
}

// What failed and the system's reason for it.
SortOutcome Failure(const std::string& what, int error) {
    return Failure(what + ": " + std::strerror(error));
}

SortOutcome NotFound() {
    SortOutcome outcome;
    outcome.kind = SortOutcome::NotFound;
    return outcome;
}

// The file a name stands for once symbolic links are followed; empty with errno set when it
// cannot be resolved.
std::string Resolved(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return {};
    std::string resolved(real);
    std::free(real);
    return resolved;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

}  // namespace

void RemoveTemporariesOnSignals() {
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : kCaughtSignals)
        sigaddset(&action.sa_mask, signal);
    for (const int signal : kCaughtSignals)
        ::sigaction(signal, &action, nullptr);
}

std::vector<std::string> SplitLines(const std::string& contents) {
    std::vector<std::string> lines;
    for (const Span& span : LineSpans(contents))
        lines.push_back(contents.substr(span.begin, span.length));
    return lines;
}

std::vector<std::string> SortBlocks(const std::vector<std::string>& lines, std::size_t n) {
    if (n == 0) n = 1;
    const std::size_t blocks = BlockCount(lines.size(), n);
    const auto order =
        BlockOrder(blocks, [&](std::size_t b) { return std::string_view(lines[b * n]); });
    std::vector<std::string> result;
    result.reserve(blocks * n);
    for (const std::size_t b : order) {
        for (std::size_t k = b * n; k < b * n + n; ++k)
            result.push_back(k < lines.size() ? lines[k] : std::string());
    }
    return result;
}

std::string SortText(const std::string& contents, std::size_t n) {
    if (n == 0) n = 1;
    const std::string_view text(contents);
    const std::vector<Span> spans = LineSpans(text);
    if (spans.empty()) return {};
    const std::size_t blocks = BlockCount(spans.size(), n);
    const auto order = BlockOrder(blocks, [&](std::size_t b) {
        return text.substr(spans[b * n].begin, spans[b * n].length);
    });

    const std::string_view fileEnd =
        spans.front().end > 0
            ? text.substr(spans.front().begin + spans.front().length, spans.front().end)
            : std::string_view("\r\n");
    const bool endsWithLineEnd = spans.back().end > 0;
    const std::size_t total = blocks * n;
    std::string sorted;
    sorted.reserve(contents.size() + (total - spans.size() + 1) * fileEnd.size());
    std::size_t written = 0;
    for (const std::size_t b : order) {
        for (std::size_t k = b * n; k < b * n + n; ++k) {
            std::string_view end = fileEnd;
            if (k < spans.size()) {
                sorted.append(text.substr(spans[k].begin, spans[k].length));
                if (spans[k].end > 0)
                    end = text.substr(spans[k].begin + spans[k].length, spans[k].end);
            }
            if (++written < total || endsWithLineEnd) sorted.append(end);
        }
    }
    return sorted;
}

std::string BackupName(const std::string& file) {
    const auto slash = file.find_last_of('/');
    const auto dot = file.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return file.substr(0, dot) + ".~" + file.substr(dot + 1, 2);
}

bool SplitCommandLine(const std::string& commandLine, std::string& file, std::size_t& n) {
    // N is the last word and the file name all before it, blanks included: split at the first
    // blank, "my lib.zq 2" would sort "my" in blocks of "lib.zq 2", or another file altogether.
    const auto end = commandLine.find_last_not_of(' ');
    if (end == std::string::npos || commandLine[0] == ' ') return false;
    const auto blank = commandLine.rfind(' ', end);
    if (blank == std::string::npos) return false;
    const auto fileEnd = commandLine.find_last_not_of(' ', blank);
    if (fileEnd == std::string::npos) return false;
    file = commandLine.substr(0, fileEnd + 1);
    const std::string count = commandLine.substr(blank + 1, end - blank);
    if (count.empty() || count.size() > 3 ||
        count.find_first_not_of("0123456789") != std::string::npos)
        return false;
    n = static_cast<std::size_t>(std::stoul(count));
    return n >= 1;
}

SortOutcome SortFile(const std::string& file, std::size_t n,
                     const std::function<void()>& beforeReplacing) {
    if (file.empty()) return NotFound();
    // A link stays a link: the file it points to is rewritten, in its own folder, so that the
    // rename that replaces it stays within one file system.
    const std::string target = Resolved(file);
    if (target.empty()) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) return NotFound();
        return Failure("Cannot read " + file, error);
    }
    // Opened without waiting: a plain open of a pipe waits for a writer for ever. The type is
    // then checked on what was opened, not on a name that could change meanwhile.
    const FileDescriptor in(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (in.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) return NotFound();
        return Failure("Cannot read " + file, error);
    }
    struct stat info {};
    if (::fstat(in.get(), &info) != 0) {
        const int error = errno;
        return Failure("Cannot read " + file, error);
    }
    if (S_ISDIR(info.st_mode)) return NotFound();
    if (!S_ISREG(info.st_mode)) return Failure("Not a regular file: " + file);

    SortOutcome outcome;
    outcome.backup = BackupName(file);
    if (outcome.backup.empty()) return Failure("The file name has no extension: " + file);
    // A file nobody may write is left as it is, although a writable folder would let it be
    // replaced. The bits are checked as well as access(), which always allows root.
    if ((info.st_mode & 0222) == 0) return Failure("The file is read-only: " + file);
    if (::access(target.c_str(), W_OK) != 0) {
        const int error = errno;
        return Failure("Cannot write " + file, error);
    }
    const std::string backupFolder = Resolved(FolderOf(outcome.backup));
    if (!backupFolder.empty() && backupFolder + "/" + NameOf(outcome.backup) == target) {
        return Failure("The backup would replace the file itself: " + outcome.backup);
    }
    // A backup the user made read-only is one they mean to keep: it is not replaced.
    if (struct stat backup{};
        ::stat(outcome.backup.c_str(), &backup) == 0 &&
        ((backup.st_mode & 0222) == 0 || ::access(outcome.backup.c_str(), W_OK) != 0)) {
        return Failure("The backup is read-only, and is kept: " + outcome.backup);
    }

    std::string contents;
    int error = 0;
    if (!ReadAll(in.get(), static_cast<std::size_t>(info.st_size), contents, error)) {
        return Failure("Cannot read " + file, error);
    }
    if (contents.find('\0') != std::string::npos)
        return Failure("Not a text file (it holds NUL bytes): " + file);

    // Both new files are complete before either takes its name: a failure leaves the file and
    // the older backup as they were.
    std::string sortedTemp;
    if (!WriteTemporary(target, SortText(contents, n), info, sortedTemp, error)) {
        return Failure("Cannot write " + file, error);
    }
    std::string backupTemp;
    bool backedUp = WriteTemporary(outcome.backup, contents, info, backupTemp, error);
    if (backedUp && beforeReplacing) beforeReplacing();
    if (backedUp && !RenameTemporary(backupTemp, outcome.backup)) {
        error = errno;
        backedUp = false;
    }
    if (!backedUp) {
        ::unlink(sortedTemp.c_str());
        ForgetTemporary(sortedTemp);
        return Failure("Cannot write the backup " + outcome.backup, error);
    }
    if (!RenameTemporary(sortedTemp, target)) {
        error = errno;
        return Failure("Cannot replace " + file, error);
    }
    outcome.kind = SortOutcome::Sorted;
    return outcome;
}

}  // namespace linord
