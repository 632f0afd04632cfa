#pragma once
// The table of chemical elements: the program's only source of atomic masses.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// Atomic numbers, atom counts and coefficients are kept in 16 bits.
constexpr std::uint32_t kSixteenBitLimit = 65535;
constexpr std::size_t kSymbolLimit = 2;  // characters
constexpr std::size_t kNameLimit = 14;   // characters
// The masses the program calculates with: above zero by enough that no amount divided by them
// overflows, and no heavier than any element or school formula unit needs.
constexpr double kMinAtomicMass = 0.001;
constexpr double kMaxAtomicMass = 1000;

// A symbol formulas can name: a capital letter, optionally followed by a small one.
bool IsElementSymbol(std::string_view symbol);
// A finite mass within kMinAtomicMass and kMaxAtomicMass.
bool IsAtomicMass(double mass);

struct ElementRecord {
    std::uint16_t atomicNumber = 0;
    std::string
        symbol;  // as typed; formulas can only match a capital plus an optional small letter
    double atomicMass = 0.0;  // grams per mole
    std::string name;

    bool operator==(const ElementRecord&) const = default;
};

// A record with symbol and name cut to their limits, as the editor fills it.
ElementRecord MakeElementRecord(std::uint16_t atomicNumber, std::string_view symbol,
                                double atomicMass, std::string_view name);

// At most kCapacity elements in table order (the file's order). Slots are numbered from 1.
// Every formula looks its symbols up here, so the table keeps an index from symbol to slot.
class ElementTable {
  public:
    static constexpr std::size_t kCapacity = 100;

    ElementTable() { m_symbolIndex.fill(kNoSlot); }

    std::size_t Count() const { return m_records.size(); }
    bool IsFull() const { return m_records.size() >= kCapacity; }
    const std::vector<ElementRecord>& Records() const { return m_records; }
    const ElementRecord& Slot(std::size_t slot) const { return m_records.at(slot - 1); }
    // A record to change in place. The index cannot see what is done through the reference, so
    // lookups search the records one by one until the table next changes through Add, Replace,
    // RemoveSlot, Assign or Clear; Replace is the way that keeps them fast.
    ElementRecord& Slot(std::size_t slot) {
        ElementRecord& record = m_records.at(slot - 1);
        m_indexCurrent = false;
        return record;
    }

    // First record whose symbol equals symbol exactly (case and length count), or nullptr.
    const ElementRecord* FindSymbol(std::string_view symbol) const;

    // Refuses (returns false) when the table is full.
    bool Add(const ElementRecord& record);
    void Replace(std::size_t slot, const ElementRecord& record);
    void RemoveSlot(std::size_t slot);
    // Replaces the whole table; records beyond the capacity are dropped (returns false then).
    bool Assign(std::vector<ElementRecord> records);
    void Clear() {
        m_records.clear();
        RebuildIndex();
    }

    // What the table's file held that is not in the table: records refused or beyond the
    // capacity when it was loaded, or the whole file when it could not be read. Saving the
    // table would lose them, so the editor asks (or refuses) first.
    const std::vector<std::string>& LeftOut() const { return m_leftOut; }
    bool FileUnreadable() const { return m_fileUnreadable; }
    void SetFileState(std::vector<std::string> leftOut, bool unreadable) {
        m_leftOut = std::move(leftOut);
        m_fileUnreadable = unreadable;
    }

  private:
    // One entry for each symbol a formula can name (a capital, optionally a small letter): the
    // first slot with that symbol, or kNoSlot. Slots fit a byte: the table holds at most 100.
    static constexpr std::size_t kSymbolKeys = 26 * 27;
    static constexpr std::uint8_t kNoSlot = 0;
    static_assert(kCapacity <= 255);
    void RebuildIndex();

    std::vector<ElementRecord> m_records;
    std::array<std::uint8_t, kSymbolKeys> m_symbolIndex{};
    bool m_indexCurrent = true;
    std::vector<std::string> m_leftOut;
    bool m_fileUnreadable = false;
};

// Symbol of the first element with that atomic number, or an empty text.
std::string ElementSymbolOfZ(const ElementTable& table, unsigned atomicNumber);

}  // namespace tovel
