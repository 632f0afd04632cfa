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

const ElementRecord* ElementTable::FindSymbol(std::string_view symbol) const {
    for (const auto& record : m_records) {
        if (record.symbol == symbol) return &record;
    }
    return nullptr;
}

bool ElementTable::Add(const ElementRecord& record) {
    if (IsFull()) return false;
    m_records.push_back(record);
    return true;
}

void ElementTable::RemoveSlot(std::size_t slot) {
    if (slot >= 1 && slot <= m_records.size()) {
        m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(slot - 1));
    }
}

bool ElementTable::Assign(std::vector<ElementRecord> records) {
    const bool fits = records.size() <= kCapacity;
    if (!fits) records.resize(kCapacity);
    m_records = std::move(records);
    return fits;
}

std::string ElementSymbolOfZ(const ElementTable& table, unsigned atomicNumber) {
    for (const auto& record : table.Records()) {
        if (record.atomicNumber == atomicNumber) return record.symbol;
    }
    return {};
}

}  // namespace tovel
