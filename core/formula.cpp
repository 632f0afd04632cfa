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
        if (formula == "e^-") {
            m_scan.charge = -1;  // the electron: no atoms
            return;
        }
        std::string_view body = formula;
        if (const auto caret = formula.find('^'); caret != std::string_view::npos) {
            body = formula.substr(0, caret);
            if (!ReadCharge(formula, caret)) return;
        }
        bool hydrate = false;
        bool afterDot = false;  // the last character was a hydrate dot
        for (std::size_t at = 0; at < body.size();) {
            const bool ascii = static_cast<unsigned char>(body[at]) < 0x80;
            const std::string_view ch = body.substr(at, ascii ? 1 : Utf8CharLength(body, at));
            at += ch.size();
            ++m_position;
            const char c = ch.size() == 1 ? ch[0] : '\0';
            const bool dot = c == '*' || c == '.' || ch == kHydrateDot;
            if (m_inNumber && !IsDigit(c) && !ApplyNumber()) return;
            if (dot) {
                if (m_position == 1 || afterDot)
                    return Bad(FormulaError::BadHydrate, ch, "un punto de hidrato aquí");
                if (!EndComponent()) return;
                hydrate = true;
                afterDot = true;
                m_componentStart = Entries().size();
                m_readingMultiplier = true;
                m_groupStarts.clear();
                m_closedGroup.reset();
                continue;
            }
            afterDot = false;
            if (m_readingMultiplier && IsDigit(c)) {
                m_multiplierDigits = true;
                m_componentMultiplier = std::min<std::uint64_t>(
                    m_componentMultiplier * 10 + static_cast<unsigned>(c - '0'),
                    10ull * kCountLimit);
                continue;
            }
            if (c == '(') {
                m_readingMultiplier = false;
                m_groupStarts.push_back(Entries().size());
                m_closedGroup.reset();
            } else if (c == ')') {
                m_readingMultiplier = false;
                // A ")" without its "(" closes a group that starts at the first symbol.
                std::size_t start = m_componentStart;
                if (!m_groupStarts.empty()) {
                    start = m_groupStarts.back();
                    m_groupStarts.pop_back();
                }
                m_closedGroup = start;
            } else if (IsDigit(c)) {
                if (Entries().size() == m_componentStart) return Wrong(ch);
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
                m_readingMultiplier = false;
                if (++m_symbolsWritten > kFormulaSymbolLimit)
                    return Fail(FormulaError::TooManySymbols);
                Entries().emplace_back().element.symbol = c;
                m_closedGroup.reset();
            } else if (IsLower(c)) {
                if (Entries().size() == m_componentStart ||
                    Entries().back().element.symbol.size() >= 2)
                    return Wrong(ch);
                Entries().back().element.symbol += c;
                m_closedGroup.reset();
            } else {
                return Wrong(ch);
            }
        }
        if (afterDot) {
            m_position = Utf8Length(body);
            return Bad(FormulaError::BadHydrate, kHydrateDot, "un punto de hidrato al final");
        }
        if (m_inNumber && !ApplyNumber()) return;
        if (!EndComponent()) return;
        if (hydrate && m_scan.charge != 0) {
            m_position = Utf8Length(body) + 1;
            return Bad(FormulaError::BadHydrate, "^", "una carga en un hidrato");
        }
        if (Entries().empty()) return Wrong(body.empty() ? "^" : body.substr(0, 1));
        Merge();
        if (hydrate && m_scan.error == FormulaError::None) m_scan.formula = WithMiddleDots(body);
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

    void Bad(FormulaError error, std::string_view ch, std::string_view reason) {
        m_scan.offending = std::string(ch);
        m_scan.position = m_position;
        m_scan.reason = std::string(reason);
        Fail(error);
    }

    // The charge written from caret on: optional digits, then one sign, then nothing.
    bool ReadCharge(std::string_view formula, std::size_t caret) {
        const std::size_t caretPosition = Utf8Length(formula.substr(0, caret)) + 1;
        auto bad = [&](std::size_t offset, std::string_view reason) {
            m_position = caretPosition + offset;
            const std::size_t at = caret + offset;
            Bad(FormulaError::BadCharge, at < formula.size() ? formula.substr(at, 1) : "^", reason);
            return false;
        };
        if (caret == 0) return bad(0, "una carga sin fórmula delante");
        std::size_t i = caret + 1;
        std::uint64_t size = 0;
        bool digits = false;
        while (i < formula.size() && IsDigit(formula[i])) {
            size =
                std::min<std::uint64_t>(size * 10 + static_cast<unsigned>(formula[i] - '0'), 1000);
            digits = true;
            ++i;
        }
        if (i >= formula.size()) return bad(i - 1 - caret, "una carga sin signo (+ o -)");
        if (formula[i] != '+' && formula[i] != '-')
            return bad(i - caret, "un carácter en la carga");
        if (i + 1 < formula.size())
            return bad(i + 1 - caret, "un carácter tras el signo de la carga");
        if (digits && (size == 0 || size > 99)) return bad(1, "una carga de 1 a 99");
        const int value = digits ? static_cast<int>(size) : 1;
        m_scan.charge = formula[i] == '+' ? value : -value;
        return true;
    }

    // The component being closed takes the number written after its dot (·5H2O), once without one.
    bool EndComponent() {
        const std::uint64_t n = m_multiplierDigits ? m_componentMultiplier : 1;
        m_componentMultiplier = 0;
        m_multiplierDigits = false;
        m_readingMultiplier = false;
        if (n == 1) return true;
        if (n == 0 || n > kCountLimit) {
            Fail(FormulaError::CountTooLarge);
            return false;
        }
        auto& entries = Entries();
        for (std::size_t i = m_componentStart; i < entries.size(); ++i) {
            const std::uint64_t product = std::uint64_t{entries[i].count} * n;
            if (product > kCountLimit) {
                Fail(FormulaError::CountTooLarge);
                return false;
            }
            entries[i].count = static_cast<std::uint16_t>(product);
        }
        return true;
    }

    static std::string WithMiddleDots(std::string_view body) {
        std::string out;
        for (const char c : body) {
            if (c == '*' || c == '.') {
                out += kHydrateDot;
            } else {
                out += c;
            }
        }
        return out;
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
    // The hydrate component being read: where its symbols start, and the number after its dot.
    std::size_t m_componentStart = 0;
    std::uint64_t m_componentMultiplier = 0;
    bool m_multiplierDigits = false;
    bool m_readingMultiplier = false;
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
        case FormulaError::BadCharge:
        case FormulaError::BadHydrate:
            NoticeWith(port, Select(kWrongFormulaCaption),
                       "Carácter \"" + scan.offending + "\" no válido en la posición " +
                           IntText(static_cast<long>(scan.position)) + " de " + scan.formula +
                           ": " + scan.reason,
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
    substance.charge = scan.charge;
    MolarMass(substance);
    return true;
}

std::string WrittenFormula(std::string_view text) {
    FormulaScan scan = ScanFormula(text);
    return scan.formula;
}

bool IsElectron(const Substance& substance) {
    return substance.entries.empty() && substance.charge == -1;
}

std::size_t FindSubstanceSeparator(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] != '+') continue;
        // "^+" or "^2+": the sign of a charge.
        std::size_t j = i;
        while (j > from && IsDigit(text[j - 1]))
            --j;
        if (j > from && text[j - 1] == '^') continue;
        return i;
    }
    return std::string_view::npos;
}

double MolarMass(Substance& substance) {
    if (IsElectron(substance)) return substance.molarMass = kElectronMolarMass;
    double sum = 0.0;
    for (const auto& entry : substance.entries)
        sum += entry.element.atomicMass * entry.count;
    substance.molarMass = sum;
    return sum;
}

std::string FormulaDisplayText(std::string_view formula) {
    std::string out;
    bool charge = false;    // after "^": every character raised
    bool afterDot = false;  // the number after a hydrate dot stays on the line
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const char c = formula[i];
        if (formula.substr(i, 2) == kHydrateDot || c == '*' || c == '.') {
            out += kHydrateDot;
            i += c == '*' || c == '.' ? 0 : 1;
            afterDot = true;
            continue;
        }
        if (c == '^') {
            charge = true;
            continue;
        }
        if (charge && (IsDigit(c) || c == '+' || c == '-')) {
            out += '^';
            out += c;
        } else if (IsDigit(c)) {
            if (!afterDot) out += '_';
            out += c;
            continue;
        } else if (IsUpper(c) || IsLower(c) || c == '(' || c == ')') {
            out += c;
        }
        afterDot = false;
    }
    return out;
}

}  // namespace tovel
