#pragma once
// What the file targets share: a private folder for each process, where the input is put under
// the name the program's reader expects, and a way to fail that says why.
//
// The program's writers flush every save to disk; in a memory-backed folder that costs nothing,
// so /dev/shm is preferred to /tmp unless TMPDIR says otherwise. The same few names are used on
// every run, so a long run never fills the folder; it is removed when the process ends normally.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace tovel::fuzz {

// Ends the run as a crash, so libFuzzer keeps the input; what names the broken promise.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string base = "/tmp";
        if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp) {
            base = tmp;
        } else if (::access("/dev/shm", W_OK) == 0) {
            base = "/dev/shm";
        }
        std::string pattern = base + "/tovel-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) Fail("cannot make a scratch folder");
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

// name inside this process's folder (name may hold a subfolder, which is not made here).
inline std::string ScratchPath(const std::string& name) {
    static const ScratchFolder folder;
    return folder.Path() + "/" + name;
}

// Puts bytes in the file name of the scratch folder, replacing what was there, and returns its
// path. Written plainly, not through the program's writers: the input must reach the reader as
// it is, whatever the writers would refuse.
inline std::string PutInput(const std::string& name, std::string_view bytes) {
    const std::string path = ScratchPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) Fail("cannot write the input file");
    return path;
}

// The whole file, as the program left it.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace tovel::fuzz
