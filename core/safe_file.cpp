#include "core/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "core/system_error.h"

namespace tovel {

namespace {

std::string Describe(std::string_view what, const std::string& path) {
    return std::string(what) + " " + path + ": " + SystemErrorText(errno);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Where a save really goes: through symbolic links to the file they name, so that a link stays a
// link and its target gets the new contents.
std::string SaveTarget(const std::string& path) {
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (::lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return target;
        std::vector<char> buffer(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : 255) +
                                 1);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size() - 1);
        if (n <= 0) return target;
        std::string next(buffer.data(), static_cast<std::size_t>(n));
        if (next.front() != '/') {
            const auto slash = target.rfind('/');
            if (slash != std::string::npos) next.insert(0, target, 0, slash + 1);
        }
        target = next;
    }
    return target;
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        // A dangling link names a file that a save may make; a loop names none.
        return errno == ENOENT ? PathKind::Missing : PathKind::Other;
    }
    if (S_ISREG(info.st_mode)) return PathKind::Regular;
    if (S_ISDIR(info.st_mode)) return PathKind::Folder;
    return PathKind::Other;
}

bool PathPresent(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = SaveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A link loop: no file to replace, and the link must not be replaced by one.
    if ((exists && !S_ISREG(existing.st_mode)) || (!exists && errno != ENOENT))
        return {false, "No se puede guardar: no es un fichero normal: " + path};
    // A file the user made read-only is not replaced behind their back.
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        return {false, "No se puede guardar: el fichero es de solo lectura: " + path};
    }

    std::string pattern = target + kTemporarySuffix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {false, Describe("No se puede escribir", path)};
    const std::string tempPath(name.data());

    // Keep the permissions an existing file had; a new file gets the usual 0644 (less umask).
    if (exists) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        FileResult failure{false, Describe("No se puede escribir", path)};
        ::close(fd);
        ::unlink(tempPath.c_str());
        return failure;
    }
    if (::close(fd) != 0 || ::rename(tempPath.c_str(), target.c_str()) != 0) {
        FileResult failure{false, Describe("No se puede guardar", path)};
        ::unlink(tempPath.c_str());
        return failure;
    }
    return {true, {}};
}

FileResult AppendToFile(const std::string& path, std::string_view bytes) {
    // Without waiting: a pipe with no reader would otherwise hold the program.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return {false, Describe("No se puede escribir en", path)};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {false, "No se puede escribir en " + path + ": no es un fichero normal"};
    }
    // A file the user made read-only is left alone, by root too.
    if ((info.st_mode & 0222) == 0) {
        ::close(fd);
        return {false, "No se puede escribir en " + path + ": el fichero es de solo lectura"};
    }
    if (::flock(fd, LOCK_EX) != 0) {
        FileResult failure{false, Describe("No se puede escribir en", path)};
        ::close(fd);
        return failure;
    }
    // Under the lock the end cannot move: what a failed write added can be cut off again.
    const off_t end = ::lseek(fd, 0, SEEK_END);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        FileResult failure{false, Describe("No se puede escribir en", path)};
        [[maybe_unused]] const bool undone = end >= 0 && ::ftruncate(fd, end) == 0;
        ::close(fd);
        return failure;
    }
    if (::close(fd) != 0) return {false, Describe("No se puede escribir en", path)};
    return {true, {}};
}

namespace {

// Only names this program makes: a file name, the suffix and mkstemp's six characters.
bool IsTemporaryName(const std::string& name, const std::string& suffix) {
    const auto at = name.rfind(suffix);
    return at != std::string::npos && at != 0 && name.size() == at + suffix.size() + 6;
}

// What a sort by Linord that was killed leaves: ".NAME.linord-" and six characters.
bool IsSortTemporaryName(const std::string& name) {
    const std::string suffix = ".linord-";
    return name.size() > 1 && name[0] == '.' && IsTemporaryName(name.substr(1), suffix);
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& folder, std::time_t olderThan) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    const std::string suffix = kTemporarySuffix;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!IsTemporaryName(name, suffix) && !IsSortTemporaryName(name)) continue;
        std::string path = folder;
        path += '/';
        path += name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_mtime > olderThan)
            continue;
        if (::unlink(path.c_str()) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

ReadResult ReadFilePrefix(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    // Opened without waiting: a named pipe or a device in place of a data file would otherwise
    // hold the program for ever before it can tell what it is.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.error = Describe("No se puede abrir", path);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = "No es un fichero normal: " + path;
        ::close(fd);
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    result.fileSize = static_cast<std::size_t>(info.st_size);
    result.bytes.resize(std::min(maxBytes, result.fileSize));
    std::size_t got = 0;
    while (got < result.bytes.size()) {
        const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.error = Describe("Error al leer", path);
            break;
        }
        if (n == 0) break;  // the file shrank while being read
        got += static_cast<std::size_t>(n);
    }
    result.bytes.resize(got);
    ::close(fd);
    result.ok = result.error.empty();
    return result;
}

}  // namespace tovel
