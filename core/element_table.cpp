#include "core/element_table.h"

#include <cmath>

#include "core/utf8.h"

namespace tovel {

ElementRecord MakeElementRecord(std::uint16_t atomicNumber, std::string_view symbol,
                                double atomicMass, std::string_view name) {
    return ElementRecord{atomicNumber, Utf8Prefix(symbol, kSymbolLimit), atomicMass,
                         Utf8Prefix(name, kNameLimit)};
}

bool IsElementSymbol(std::string_view symbol) {
    auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
    return (symbol.size() == 1 && upper(symbol[0])) ||
           (symbol.size() == 2 && upper(symbol[0]) && lower(symbol[1]));
}

bool IsAtomicMass(double mass) {
    return std::isfinite(mass) && mass >= kMinAtomicMass && mass <= kMaxAtomicMass;
}

namespace {

constexpr std::size_t kNoKey = static_cast<std::size_t>(-1);

// Where a symbol a formula can name sits in the index: the capital picks a row of 27, the small
// letter (or its absence, 0) the place in it. kNoKey for any other text.
std::size_t SymbolKey(std::string_view symbol) {
    if (!IsElementSymbol(symbol)) return kNoKey;
    const auto row = static_cast<std::size_t>(symbol[0] - 'A');
    const std::size_t column =
        symbol.size() == 2 ? static_cast<std::size_t>(symbol[1] - 'a') + 1 : 0;
    return row * 27 + column;
}

}  // namespace

const ElementRecord* ElementTable::FindSymbol(std::string_view symbol) const {
    if (const std::size_t key = SymbolKey(symbol); key != kNoKey && m_indexCurrent) {
        const std::uint8_t slot = m_symbolIndex[key];
        return slot == kNoSlot ? nullptr : &m_records[slot - 1];
    }
    for (const auto& record : m_records) {
        if (record.symbol == symbol) return &record;
    }
    return nullptr;
}

void ElementTable::RebuildIndex() {
    m_symbolIndex.fill(kNoSlot);
    // Backwards, so that the first of two records with one symbol is the one kept.
    for (std::size_t i = m_records.size(); i-- > 0;) {
        if (const std::size_t key = SymbolKey(m_records[i].symbol); key != kNoKey)
            m_symbolIndex[key] = static_cast<std::uint8_t>(i + 1);
    }
    m_indexCurrent = true;
}

bool ElementTable::Add(const ElementRecord& record) {
    if (IsFull()) return false;
    m_records.push_back(record);
    RebuildIndex();
    return true;
}

void ElementTable::Replace(std::size_t slot, const ElementRecord& record) {
    m_records.at(slot - 1) = record;
    RebuildIndex();
}

void ElementTable::RemoveSlot(std::size_t slot) {
    if (slot >= 1 && slot <= m_records.size()) {
        m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(slot - 1));
    }
    RebuildIndex();
}

bool ElementTable::Assign(std::vector<ElementRecord> records) {
    const bool fits = records.size() <= kCapacity;
    if (!fits) records.resize(kCapacity);
    m_records = std::move(records);
    RebuildIndex();
    return fits;
}

std::string ElementSymbolOfZ(const ElementTable& table, unsigned atomicNumber) {
    for (const auto& record : table.Records()) {
        if (record.atomicNumber == atomicNumber) return record.symbol;
    }
    return {};
}

}  // namespace tovel
