#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tovel {

namespace {

std::string Describe(std::string_view what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
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

}  // namespace

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {false, Describe("No se puede escribir", path)};
    const std::string tempPath(name.data());

    // Keep the permissions an existing file had; a new file gets the usual 0644 (less umask).
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
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
    if (::close(fd) != 0 || ::rename(tempPath.c_str(), path.c_str()) != 0) {
        FileResult failure{false, Describe("No se puede guardar", path)};
        ::unlink(tempPath.c_str());
        return failure;
    }
    return {true, {}};
}

ReadResult ReadFilePrefix(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = Describe("No se puede abrir", path);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = "No es un fichero: " + path;
        ::close(fd);
        return result;
    }
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
