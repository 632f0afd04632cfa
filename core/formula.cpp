#include "core/formula.h"

#include <algorithm>
#include <optional>

#include "core/language.h"
#include "core/messages.h"
#include "core/text_utils.h"
#include "core/utf8.h"

namespace tovel {

namespace {

constexpr MessageTriple kWrongFormulaCaption = {"Fórmula incorrecta    ", "Wrong formula   ",
                                                "Fórmula incorrecta     "};
constexpr MessageTriple kTooManySymbols = {"Massa elements no agrupats",
                                           "Too much not grouped elements",
                                           "Demasiados elementos no agrupados"};
constexpr MessageTriple kNotInDatabase = {" no és a la base de dades\rafegir?",
                                          " is not at the database\radd it?",
                                          " no está en la base de datos\r¿añadir?"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

// Fills the scan it is given, so that nothing is copied on the way out.
class Scanner {
  public:
    explicit Scanner(FormulaScan& scan) : m_scan(scan) {}

    void Run(std::string_view text) {
        m_scan.formula = TrimWhitespace(text);
        const std::string_view formula = m_scan.formula;
        if (formula.empty()) return Fail(FormulaError::Empty);
        // No more bytes than the limit means no more characters either.
        if (formula.size() > kFormulaLimit && Utf8Length(formula) > kFormulaLimit)
            return Fail(FormulaError::TooLong);

        for (std::size_t at = 0; at < formula.size();) {
            const bool ascii = static_cast<unsigned char>(formula[at]) < 0x80;
            const std::string_view ch = formula.substr(at, ascii ? 1 : Utf8CharLength(formula, at));
            at += ch.size();
            ++m_position;
            const char c = ch.size() == 1 ? ch[0] : '\0';
            if (m_inNumber && !IsDigit(c) && !ApplyNumber()) return;
            if (c == '(') {
                m_groupStarts.push_back(Entries().size());
                m_closedGroup.reset();
            } else if (c == ')') {
                // A ")" without its "(" closes a group that starts at the first symbol.
                std::size_t start = 0;
                if (!m_groupStarts.empty()) {
                    start = m_groupStarts.back();
                    m_groupStarts.pop_back();
                }
                m_closedGroup = start;
            } else if (IsDigit(c)) {
                if (Entries().empty()) return Wrong(ch);
                if (!m_inNumber) {
                    m_inNumber = true;
                    m_number = 0;
                    m_numberGroup = m_closedGroup;
                    m_closedGroup.reset();
                }
                // Saturate well above the limit so that long digit runs cannot overflow.
                m_number = std::min<std::uint64_t>(m_number * 10 + static_cast<unsigned>(c - '0'),
                                                   10ull * kCountLimit);
            } else if (IsUpper(c)) {
                if (++m_symbolsWritten > kFormulaSymbolLimit)
                    return Fail(FormulaError::TooManySymbols);
                Entries().emplace_back().element.symbol = c;
                m_closedGroup.reset();
            } else if (IsLower(c)) {
                if (Entries().empty() || Entries().back().element.symbol.size() >= 2)
                    return Wrong(ch);
                Entries().back().element.symbol += c;
                m_closedGroup.reset();
            } else {
                return Wrong(ch);
            }
        }
        if (m_inNumber && !ApplyNumber()) return;
        Merge();
    }

  private:
    // The symbols as written; merged at the end. A failure leaves them empty.
    FormulaEntries& Entries() { return m_scan.entries; }

    void Fail(FormulaError error) {
        m_scan.error = error;
        m_scan.entries.clear();
    }

    void Wrong(std::string_view ch) {
        m_scan.offending = std::string(ch);
        m_scan.position = m_position;
        Fail(FormulaError::WrongCharacter);
    }

    // The pending number multiplies the group it follows, or sets the count of the last symbol.
    bool ApplyNumber() {
        m_inNumber = false;
        if (m_number > kCountLimit) {
            Fail(FormulaError::CountTooLarge);
            return false;
        }
        const auto n = static_cast<std::uint32_t>(m_number);
        auto& entries = Entries();
        if (!m_numberGroup) {
            entries.back().count = static_cast<std::uint16_t>(n);
            return true;
        }
        for (std::size_t i = *m_numberGroup; i < entries.size(); ++i) {
            const std::uint32_t product = std::uint32_t{entries[i].count} * n;
            if (product > kCountLimit) {
                Fail(FormulaError::CountTooLarge);
                return false;
            }
            entries[i].count = static_cast<std::uint16_t>(product);
        }
        return true;
    }

    // Repeated symbols add up into their first occurrence, in place: the first `kept` entries are
    // the merged ones so far.
    void Merge() {
        auto& entries = Entries();
        std::size_t kept = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto first = entries.begin() + static_cast<std::ptrdiff_t>(kept);
            auto it = std::find_if(entries.begin(), first, [&](const FormulaEntry& e) {
                return e.element.symbol == entries[i].element.symbol;
            });
            if (it == first) {
                if (i != kept) entries[kept] = std::move(entries[i]);
                ++kept;
                continue;
            }
            const std::uint32_t sum = std::uint32_t{it->count} + entries[i].count;
            if (sum > kCountLimit) return Fail(FormulaError::CountTooLarge);
            it->count = static_cast<std::uint16_t>(sum);
        }
        entries.resize(kept);
    }

    FormulaScan& m_scan;
    // Each "(" is a character of its own, so the formula's length bounds the open groups.
    FixedVector<std::size_t, kFormulaLimit> m_groupStarts;
    std::optional<std::size_t> m_closedGroup;  // a group whose ")" was just read
    std::optional<std::size_t> m_numberGroup;  // the group the number being read multiplies
    bool m_inNumber = false;
    std::uint64_t m_number = 0;
    std::size_t m_position = 0;  // of the character being read, 1-based
    std::size_t m_symbolsWritten = 0;
};

void ReportScanError(const FormulaScan& scan, UserPort& port) {
    switch (scan.error) {
        case FormulaError::None:
        case FormulaError::Empty:
            return;
        case FormulaError::WrongCharacter:
            // The character alone ("2", " ") would not say what it is about.
            NoticeWith(port, Select(kWrongFormulaCaption),
                       "Carácter \"" + scan.offending + "\" no válido en la posición " +
                           IntText(static_cast<long>(scan.position)) + " de " + scan.formula,
                       MessageIcon::Exclamation);
            return;
        case FormulaError::TooManySymbols:
            Notice(port, "Error", std::string(Select(kTooManySymbols)) + ": " + scan.formula);
            return;
        case FormulaError::TooLong:
            NoticeWith(
                port, Select(kWrongFormulaCaption),
                "Fórmula demasiado larga: " + IntText(static_cast<long>(Utf8Length(scan.formula))) +
                    " caracteres (máximo " + IntText(kFormulaLimit) + ")",
                MessageIcon::Exclamation);
            return;
        case FormulaError::CountTooLarge:
            NoticeWith(port, Select(kWrongFormulaCaption),
                       "Número de átomos demasiado grande en " + scan.formula + " (máximo " +
                           IntText(kCountLimit) + ")",
                       MessageIcon::Exclamation);
            return;
    }
}

}  // namespace

FormulaScan ScanFormula(std::string_view text) {
    FormulaScan scan;
    Scanner(scan).Run(text);
    return scan;
}

bool ResolveElement(FormulaEntry& entry, ElementTable& table, UserPort& port) {
    while (true) {
        if (const ElementRecord* found = table.FindSymbol(entry.element.symbol)) {
            entry.element.atomicNumber = found->atomicNumber;
            entry.element.atomicMass = found->atomicMass;
            return true;
        }
        const std::string question = entry.element.symbol + std::string(Select(kNotInDatabase));
        if (AskYesNoWith(port, "* Error *", question, MessageIcon::Exclamation) != kAnswerYes) {
            return false;
        }
        port.OpenElementEditor(table);
    }
}

bool ParseFormula(Substance& substance, std::string_view text, ElementTable& table,
                  UserPort& port) {
    FormulaScan scan = ScanFormula(text);
    if (scan.error != FormulaError::None) {
        ReportScanError(scan, port);
        return false;
    }
    for (auto& entry : scan.entries) {
        if (!ResolveElement(entry, table, port)) return false;
    }
    substance.formula = std::move(scan.formula);
    substance.entries = std::move(scan.entries);
    MolarMass(substance);
    return true;
}

double MolarMass(Substance& substance) {
    double sum = 0.0;
    for (const auto& entry : substance.entries)
        sum += entry.element.atomicMass * entry.count;
    substance.molarMass = sum;
    return sum;
}

std::string FormulaDisplayText(std::string_view formula) {
    std::string out;
    for (char c : formula) {
        if (IsDigit(c)) {
            out += '_';
            out += c;
        } else if (IsUpper(c) || IsLower(c) || c == '(' || c == ')') {
            out += c;
        }
    }
    return out;
}

}  // namespace tovel
