#pragma once
// comps.rel: the usual compounds in five categories, as 52-byte records.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_guard.h"
#include "core/safe_file.h"

namespace tovel {

constexpr const char* kCompoundsFileName = "comps.rel";
constexpr std::size_t kCompoundRecordSize = 52;
constexpr std::size_t kCompoundNameLimit = 30;
constexpr std::size_t kCompoundFormulaLimit = 14;
constexpr std::size_t kCompoundsPerCategory = 128;
constexpr int kCompoundCategories = 5;  // óxidos, hidróxidos, ácidos, sales, otros

struct CompoundRecord {
    std::string name;
    std::string formula;
    int category = 0;

    bool operator==(const CompoundRecord&) const = default;
};

// Name and formula cut to their limits.
CompoundRecord MakeCompoundRecord(std::string_view name, std::string_view formula, int category);

std::string EncodeCompoundRecord(const CompoundRecord& record);
CompoundRecord DecodeCompoundRecord(std::string_view in);

struct CompoundsReadResult {
    bool opened = false;
    std::size_t skipped = 0;       // records with a category outside 0..4, or beyond 128 in one
    std::size_t partialBytes = 0;  // an incomplete last record, kept at the end of the file
    std::string error;             // why a file that exists could not be read
};

// The compounds by category, each in file order.
class CompoundBook {
  public:
    // The records skipped are not shown but kept, and written back after the others; so is an
    // incomplete last record, last.
    CompoundsReadResult Read(const std::string& path = kCompoundsFileName);
    // Grouped by category, categories in order. Refuses to write over a file that exists but
    // could not be read.
    FileResult Write(const std::string& path = kCompoundsFileName) const;

    const std::vector<CompoundRecord>& Category(int category) const {
        return m_categories.at(category);
    }
    std::vector<CompoundRecord>& Category(int category) { return m_categories.at(category); }
    // The file as it was when it was read: a save notices another window's save since.
    FileStamp& Stamp() { return m_stamp; }
    bool IsFull(int category) const {
        return m_categories.at(category).size() >= kCompoundsPerCategory;
    }

  private:
    std::array<std::vector<CompoundRecord>, kCompoundCategories> m_categories;
    std::string m_kept;        // the records skipped on reading, as they were
    std::string m_partial;     // an incomplete last record, as it was
    std::string m_unreadable;  // why the file could not be read, when it exists
    FileStamp m_stamp;
};

}  // namespace tovel
