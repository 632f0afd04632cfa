#pragma once
// Text files as the program keeps them: Windows-1252 on disk, CR LF line ends (LF alone is read
// too), UTF-8 in memory. Writing goes through a temporary file that replaces the target only
// when the file is closed, so a failed write never damages what was there.

#include <string>
#include <vector>

#include "core/safe_file.h"

namespace tovel {

class TextFile {
  public:
    // Reading: the next line without its line end; false at the end of the file.
    bool ReadLine(std::string& line);

    // Writing and appending: lines are kept until Close writes them.
    void WriteLine(const std::string& line);
    void Write(const std::string& text);

    // Ends reading, or writes what was written (after the old contents when appending).
    FileResult Close();

    bool IsOpen() const { return m_mode != Mode::Closed; }

  private:
    friend bool OpenForReading(const std::string& name, TextFile& file, std::string* error);
    friend bool OpenForWriting(const std::string& name, TextFile& file);
    friend bool OpenForAppending(const std::string& name, TextFile& file);

    enum class Mode { Closed, Reading, Writing };
    Mode m_mode = Mode::Closed;
    std::string m_path;
    std::string m_bytes;  // reading: the file; writing: what goes to disk
    std::size_t m_next = 0;
};

// False when the file does not exist (FileExists) or cannot be read whole; for a file that exists
// but cannot be read (no permission, not a regular file, larger than the program reads), error
// says why, and what was read of it must not be written back over it.
bool OpenForReading(const std::string& name, TextFile& file, std::string* error = nullptr);
// Starts a new file that replaces any existing one on Close. False when the folder cannot be
// written to.
bool OpenForWriting(const std::string& name, TextFile& file);
// Continues an existing file; false when it does not exist or cannot be read.
bool OpenForAppending(const std::string& name, TextFile& file);

// Appends to the file (creating it when it does not exist) two empty lines and then the lines,
// each ended by CR LF: how saved problems and cases are collected one after another.
FileResult AppendBlock(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tovel
