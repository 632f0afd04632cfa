#pragma once
// The table of chemical elements: the program's only source of atomic masses.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

constexpr std::size_t kSymbolLimit = 2;  // characters
constexpr std::size_t kNameLimit = 14;   // characters

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
class ElementTable {
  public:
    static constexpr std::size_t kCapacity = 100;

    std::size_t Count() const { return m_records.size(); }
    bool IsFull() const { return m_records.size() >= kCapacity; }
    const std::vector<ElementRecord>& Records() const { return m_records; }
    const ElementRecord& Slot(std::size_t slot) const { return m_records.at(slot - 1); }
    ElementRecord& Slot(std::size_t slot) { return m_records.at(slot - 1); }

    // First record whose symbol equals symbol exactly (case and length count), or nullptr.
    const ElementRecord* FindSymbol(std::string_view symbol) const;

    // Refuses (returns false) when the table is full.
    bool Add(const ElementRecord& record);
    void RemoveSlot(std::size_t slot);
    // Replaces the whole table; records beyond the capacity are dropped (returns false then).
    bool Assign(std::vector<ElementRecord> records);
    void Clear() { m_records.clear(); }

  private:
    std::vector<ElementRecord> m_records;
};

// Symbol of the first element with that atomic number, or an empty text.
std::string ElementSymbolOfZ(const ElementTable& table, unsigned atomicNumber);

}  // namespace tovel
