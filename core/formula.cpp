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

// A multiplier written as a vulgar fraction after a hydrate dot, and its value.
struct VulgarFraction {
    std::string_view text;
    std::uint32_t numerator;
    std::uint32_t denominator;
};
// Only those Windows-1252 can store, as reaction files are written in it.
constexpr VulgarFraction kVulgarFractions[] = {
    {"\u00bd", 1, 2}, {"\u00bc", 1, 4}, {"\u00be", 3, 4}};

std::uint32_t WholeGcd(std::uint32_t a, std::uint32_t b) {
    while (b != 0) {
        const std::uint32_t t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// A decimal multiplier keeps this many decimals at most: 0.5, 0.25.
constexpr std::uint32_t kMultiplierDecimals = 2;

// Fills the scan it is given, so that nothing is copied on the way out.
class Scanner {
  public:
    Scanner(FormulaScan& scan, FormulaStructure* structure)
        : m_scan(scan), m_structure(structure) {}

    void Run(std::string_view text) {
        m_scan.formula.assign(TrimWhitespaceView(text));
        const std::string_view formula = m_scan.formula;
        if (formula.empty()) return Fail(FormulaError::Empty);
        // No more bytes than the limit means no more characters either.
        if (formula.size() > kFormulaLimit && Utf8Length(formula) > kFormulaLimit)
            return Fail(FormulaError::TooLong);
        if (formula == "e^-") {
            m_scan.charge = -1;  // the electron: no atoms
            if (m_structure) {
                m_structure->charge = -1;
                m_structure->electron = true;
            }
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
            // A count right after an opening bracket ("H(3O)") counts nothing written inside it.
            const bool afterOpen = m_previousOpen;
            m_previousOpen = c == '(' || c == '[';
            // A small letter belongs to the capital letter just before it: H2e is no He2.
            const bool afterCapital = m_previousCapital;
            m_previousCapital = IsUpper(c);
            // A decimal point inside a hydrate's multiplier (·0.5H2O, ·0,5H2O) is no dot.
            if (m_readingMultiplier && m_multiplierDigits && (c == '.' || c == ',') &&
                at < body.size() && IsDigit(body[at]) && m_multiplierDecimals == 0 &&
                !m_multiplierFraction) {
                m_multiplierDecimal = true;
                continue;
            }
            const bool dot = c == '*' || c == '.' || ch == kHydrateDot;
            if (m_inNumber && !IsDigit(c) && !ApplyNumber()) return;
            if (dot) {
                if (m_position == 1 || afterDot)
                    return Bad(FormulaError::BadHydrate, ch, "un punto de hidrato aquí");
                if (!EndComponent()) return;
                hydrate = true;
                afterDot = true;
                m_componentStart = Entries().size();
                m_componentFirstPart = PartCount();
                m_readingMultiplier = true;
                m_groupStarts.clear();
                m_openParts.clear();
                m_closedGroup.reset();
                m_closedGroupPart.reset();
                continue;
            }
            afterDot = false;
            if (m_readingMultiplier && ReadMultiplier(ch, c)) {
                if (m_scan.error != FormulaError::None) return;
                continue;
            }
            // The commonest characters first: symbols and counts.
            if (IsUpper(c)) {
                m_readingMultiplier = false;
                if (++m_symbolsWritten > kFormulaSymbolLimit)
                    return Fail(FormulaError::TooManySymbols);
                Entries().emplace_back().element.symbol = c;
                m_closedGroup.reset();
                m_closedGroupPart.reset();
                if (m_structure) {
                    m_lastSymbolPart = PartCount();
                    FormulaPart& part = m_structure->parts.emplace_back();
                    part.symbol = c;
                    part.depth = static_cast<std::uint16_t>(m_openParts.size());
                }
            } else if (IsDigit(c)) {
                if (Entries().size() == m_componentStart || afterOpen) return Wrong(ch);
                if (!m_inNumber) {
                    m_inNumber = true;
                    m_numberPosition = m_position;
                    m_number = 0;
                    m_numberGroup = m_closedGroup;
                    m_numberGroupPart = m_closedGroupPart;
                    m_closedGroup.reset();
                    m_closedGroupPart.reset();
                }
                // Saturate well above the limit so that long digit runs cannot overflow.
                m_number = std::min<std::uint64_t>(m_number * 10 + static_cast<unsigned>(c - '0'),
                                                   10ull * kCountLimit);
            } else if (IsLower(c)) {
                if (Entries().size() == m_componentStart || !afterCapital ||
                    Entries().back().element.symbol.size() >= 2)
                    return Wrong(ch);
                Entries().back().element.symbol += c;
                m_closedGroup.reset();
                m_closedGroupPart.reset();
                if (m_structure) m_structure->parts[m_lastSymbolPart].symbol += c;
            } else if (c == '(' || c == '[') {
                m_readingMultiplier = false;
                m_groupStarts.push_back(Entries().size());
                m_closedGroup.reset();
                m_closedGroupPart.reset();
                if (m_structure) {
                    m_openParts.push_back(PartCount());
                    FormulaPart& group = m_structure->parts.emplace_back();
                    group.depth = static_cast<std::uint16_t>(m_openParts.size() - 1);
                    group.square = c == '[';
                }
            } else if (c == ')' || c == ']') {
                m_readingMultiplier = false;
                // A ")" without its "(" closes a group that starts at the first symbol.
                std::size_t start = m_componentStart;
                if (!m_groupStarts.empty()) {
                    start = m_groupStarts.back();
                    m_groupStarts.pop_back();
                }
                m_closedGroup = start;
                if (m_structure) CloseGroupPart();
            } else {
                return Wrong(ch);
            }
        }
        if (afterDot) {
            m_position = Utf8Length(body);
            return Bad(FormulaError::BadHydrate, kHydrateDot, "un punto de hidrato al final");
        }
        if (m_inNumber && !ApplyNumber()) return;
        if ((hydrate || m_structure) && !EndComponent()) return;
        if (hydrate && m_scan.charge != 0) {
            m_position = Utf8Length(body) + 1;
            return Bad(FormulaError::BadHydrate, "^", "una carga en un hidrato");
        }
        if (Entries().empty())
            return Wrong(body.empty() ? "^" : body.substr(0, Utf8CharLength(body, 0)));
        Merge();
        if (m_scan.error != FormulaError::None) return;
        m_scan.formulas = static_cast<std::uint16_t>(m_formulas);
        if (hydrate) m_scan.formula = WithMiddleDots(body);
        if (m_structure) m_structure->charge = m_scan.charge;
    }

  private:
    // The symbols as written; merged at the end. A failure leaves them empty.
    FormulaEntries& Entries() { return m_scan.entries; }
    std::size_t PartCount() const { return m_structure ? m_structure->parts.size() : 0; }

    // A character of the multiplier after a hydrate dot: a digit, or a vulgar fraction. False
    // when it is none (the component's formula starts); an error is left in the scan.
    bool ReadMultiplier(std::string_view ch, char c) {
        if (IsDigit(c) && !m_multiplierFraction) {
            if (m_multiplierDecimal && m_multiplierDecimals == kMultiplierDecimals) {
                Bad(FormulaError::BadHydrate, ch, "más de dos decimales en un hidrato");
                return true;
            }
            if (!m_multiplierDigits) m_multiplierPosition = m_position;
            m_multiplierDigits = true;
            m_componentMultiplier = std::min<std::uint64_t>(
                m_componentMultiplier * 10 + static_cast<unsigned>(c - '0'), 10ull * kCountLimit);
            if (m_multiplierDecimal) {
                ++m_multiplierDecimals;
                m_multiplierDenominator *= 10;
            }
            return true;
        }
        if (m_multiplierDecimal || m_multiplierFraction) return false;
        const VulgarFraction* f = FindVulgarFraction(ch);
        if (!f) return false;
        m_componentMultiplier = m_componentMultiplier * f->denominator + f->numerator;
        m_multiplierDenominator = f->denominator;
        m_multiplierDigits = true;
        m_multiplierFraction = true;
        return true;
    }

    static const VulgarFraction* FindVulgarFraction(std::string_view ch) {
        for (const VulgarFraction& f : kVulgarFractions) {
            if (f.text == ch) return &f;
        }
        return nullptr;
    }

    void Fail(FormulaError error) {
        m_scan.error = error;
        m_scan.entries.clear();
        if (m_structure) *m_structure = FormulaStructure{};
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
            // A whole character, never a piece of one: the middle dot is two bytes.
            const std::string_view ch =
                at < formula.size() ? formula.substr(at, Utf8CharLength(formula, at)) : "^";
            Bad(FormulaError::BadCharge, ch, reason);
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

    // Closes the innermost open group piece; a ")" without its "(" makes a group of everything
    // written so far in the component.
    void CloseGroupPart() {
        auto& parts = m_structure->parts;
        if (!m_openParts.empty()) {
            const std::size_t group = m_openParts.back();
            m_openParts.pop_back();
            parts[group].end = static_cast<std::uint16_t>(parts.size());
            m_closedGroupPart = group;
            return;
        }
        const std::size_t first = m_componentFirstPart;
        parts.emplace_back();
        for (std::size_t i = parts.size() - 1; i > first; --i)
            std::swap(parts[i], parts[i - 1]);
        for (std::size_t i = first + 1; i < parts.size(); ++i) {
            ++parts[i].depth;
            if (parts[i].IsGroup()) ++parts[i].end;
        }
        ++m_lastSymbolPart;
        parts[first].end = static_cast<std::uint16_t>(parts.size());
        m_closedGroupPart = first;
    }

    // The component being closed takes the number written after its dot (·5H2O, ·½H2O), once
    // without one. A fraction makes the entries count several formulas, so that they stay whole.
    bool EndComponent() {
        std::uint32_t numerator = 1;
        std::uint32_t denominator = 1;
        if (m_multiplierDigits) {
            if (m_componentMultiplier == 0) {
                m_position = m_multiplierPosition;
                Bad(FormulaError::BadHydrate, "0",
                    "un componente de hidrato multiplicado por cero");
                return false;
            }
            if (m_componentMultiplier > kCountLimit) {
                Fail(FormulaError::CountTooLarge);
                return false;
            }
            const auto n = static_cast<std::uint32_t>(m_componentMultiplier);
            const std::uint32_t g = WholeGcd(n, m_multiplierDenominator);
            numerator = n / g;
            denominator = m_multiplierDenominator / g;
        }
        m_componentMultiplier = 0;
        m_multiplierDenominator = 1;
        m_multiplierDigits = false;
        m_multiplierDecimal = false;
        m_multiplierDecimals = 0;
        m_multiplierFraction = false;
        m_readingMultiplier = false;
        if (m_structure) {
            auto& parts = m_structure->parts;
            for (const std::size_t open : m_openParts)
                parts[open].end = static_cast<std::uint16_t>(parts.size());
            m_openParts.clear();
            m_structure->components.push_back({static_cast<std::uint16_t>(m_componentFirstPart),
                                               static_cast<std::uint16_t>(parts.size()), numerator,
                                               denominator});
        }
        auto& entries = Entries();
        // Every entry so far counts m_formulas formulas; a new denominator makes that more.
        const std::uint32_t formulas = m_formulas / WholeGcd(m_formulas, denominator) * denominator;
        if (formulas != m_formulas) {
            const std::uint32_t scale = formulas / m_formulas;
            if (!Scale(0, m_componentStart, scale)) return false;
            m_formulas = formulas;
        }
        return Scale(m_componentStart, entries.size(),
                     std::uint64_t{numerator} * (m_formulas / denominator));
    }

    bool Scale(std::size_t first, std::size_t last, std::uint64_t n) {
        if (n == 1) return true;
        auto& entries = Entries();
        for (std::size_t i = first; i < last; ++i) {
            const std::uint64_t product = std::uint64_t{entries[i].count} * n;
            if (product > kCountLimit) {
                Fail(FormulaError::CountTooLarge);
                return false;
            }
            entries[i].count = static_cast<std::uint16_t>(product);
        }
        return true;
    }

    // The hydrate dots written as the middle dot; a decimal point or comma inside a multiplier
    // stays as typed.
    static std::string WithMiddleDots(std::string_view body) {
        std::string out;
        bool multiplier = false;  // reading the digits after a dot
        for (std::size_t i = 0; i < body.size(); ++i) {
            const char c = body[i];
            const bool decimal = multiplier && (c == '.' || c == ',') && i > 0 &&
                                 IsDigit(body[i - 1]) && i + 1 < body.size() &&
                                 IsDigit(body[i + 1]);
            if ((c == '*' || c == '.') && !decimal) {
                out += kHydrateDot;
                multiplier = true;
                continue;
            }
            if (body.substr(i, 2) == kHydrateDot) {
                out += kHydrateDot;
                ++i;
                multiplier = true;
                continue;
            }
            if (!IsDigit(c) && !decimal) multiplier = false;
            out += c;
        }
        return out;
    }

    // The pending number multiplies the group it follows, or sets the count of the last symbol.
    bool ApplyNumber() {
        m_inNumber = false;
        // No atoms written is no count: H0 would be a formula without its hydrogen.
        if (m_number == 0) {
            m_position = m_numberPosition;
            Bad(FormulaError::ZeroCount, "0",
                m_numberGroup ? "un grupo multiplicado por cero" : "un número de átomos cero");
            return false;
        }
        if (m_number > kCountLimit) {
            Fail(FormulaError::CountTooLarge);
            return false;
        }
        const auto n = static_cast<std::uint32_t>(m_number);
        auto& entries = Entries();
        if (m_structure) {
            m_structure->parts[m_numberGroupPart ? *m_numberGroupPart : m_lastSymbolPart].count = n;
        }
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
    FormulaStructure* m_structure;  // recorded only when asked for
    // Each "(" is a character of its own, so the formula's length bounds the open groups.
    FixedVector<std::size_t, kFormulaLimit> m_groupStarts;
    FixedVector<std::size_t, kFormulaLimit> m_openParts;  // the structure's open group pieces
    std::optional<std::size_t> m_closedGroup;             // a group whose ")" was just read
    std::optional<std::size_t> m_numberGroup;      // the group the number being read multiplies
    std::optional<std::size_t> m_closedGroupPart;  // the same, as pieces of the structure
    std::optional<std::size_t> m_numberGroupPart;
    std::size_t m_lastSymbolPart = 0;
    bool m_previousOpen = false;     // the character before was "(" or "["
    bool m_previousCapital = false;  // the character before was a capital letter
    std::size_t m_componentFirstPart = 0;
    std::uint32_t m_formulas = 1;  // the formulas the entries count
    bool m_inNumber = false;
    std::uint64_t m_number = 0;
    std::size_t m_position = 0;        // of the character being read, 1-based
    std::size_t m_numberPosition = 0;  // of the first digit of the number being read
    std::size_t m_symbolsWritten = 0;
    // The hydrate component being read: where its symbols start, and the number after its dot.
    std::size_t m_componentStart = 0;
    std::uint64_t m_componentMultiplier = 0;  // its numerator, over m_multiplierDenominator
    std::uint32_t m_multiplierDenominator = 1;
    std::uint32_t m_multiplierDecimals = 0;
    std::size_t m_multiplierPosition = 0;  // of its first digit
    bool m_multiplierDigits = false;
    bool m_multiplierDecimal = false;   // a decimal point was read
    bool m_multiplierFraction = false;  // a vulgar fraction was read
    bool m_readingMultiplier = false;
};

std::string HintText(const std::string& hint) {
    return hint.empty() ? hint : "\r\nLa carga se escribe tras ^: " + hint;
}

void ReportScanError(const FormulaScan& scan, UserPort& port) {
    switch (scan.error) {
        case FormulaError::None:
        case FormulaError::Empty:
            return;
        case FormulaError::WrongCharacter:
            // The character alone ("2", " ") would not say what it is about.
            NoticeWith(port, Select(kWrongFormulaCaption),
                       "Carácter \"" + scan.offending + "\" no válido en la posición " +
                           IntText(static_cast<long>(scan.position)) + " de " + scan.formula +
                           HintText(ChargeHint(scan.formula)),
                       MessageIcon::Exclamation);
            return;
        case FormulaError::BadCharge:
        case FormulaError::BadHydrate:
        case FormulaError::ZeroCount:
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

FormulaScan ScanFormula(std::string_view text, FormulaStructure* structure) {
    FormulaScan scan;
    Scanner(scan, structure).Run(text);
    return scan;
}

std::string ScanErrorReason(const FormulaScan& scan) {
    switch (scan.error) {
        case FormulaError::None:
        case FormulaError::Empty:
            return {};
        case FormulaError::WrongCharacter:
            return "el carácter \"" + scan.offending +
                   "\" sobra o está fuera de sitio; escriba símbolos de elementos, números y "
                   "paréntesis, como Ca(OH)2";
        case FormulaError::TooManySymbols:
            return "tiene más de " + IntText(kFormulaSymbolLimit) + " símbolos de elementos";
        case FormulaError::TooLong:
            return "tiene más de " + IntText(kFormulaLimit) + " caracteres";
        case FormulaError::CountTooLarge:
            return "un número de átomos pasa de " + IntText(kCountLimit);
        case FormulaError::BadCharge:
        case FormulaError::BadHydrate:
        case FormulaError::ZeroCount:
            return "el carácter \"" + scan.offending + "\" de la posición " +
                   IntText(static_cast<long>(scan.position)) + ": " + scan.reason;
    }
    return {};
}

std::string ChargeHint(std::string_view formula) {
    if (formula.size() < 2) return {};
    const char sign = formula.back();
    if (sign != '+' && sign != '-') return {};
    std::string_view body = formula.substr(0, formula.size() - 1);
    if (body.find_first_of("^+-") != std::string_view::npos) return {};
    if (body == "e") return "e^-";
    std::size_t digits = 0;
    while (digits < body.size() && IsDigit(body[body.size() - 1 - digits]))
        ++digits;
    const std::string_view before = body.substr(0, body.size() - digits);
    const bool oneSymbol = (before.size() == 1 && IsUpper(before[0])) ||
                           (before.size() == 2 && IsUpper(before[0]) && IsLower(before[1]));
    // SO42- and Fe3+: the last digit is the charge; NH4+ and Cl-: the sign alone.
    std::string hint;
    if (digits > 1 || (digits == 1 && oneSymbol)) {
        hint = std::string(body.substr(0, body.size() - 1)) + "^" + body.back() + sign;
    } else {
        hint = std::string(body) + "^" + sign;
    }
    return ScanFormula(hint).error == FormulaError::None ? hint : std::string();
}

ReadFormulaResult ReadFormulaStructure(std::string_view text) {
    ReadFormulaResult result;
    result.scan = ScanFormula(text, &result.structure);
    return result;
}

double HydrateWater(std::string_view text) {
    const ReadFormulaResult read = ReadFormulaStructure(text);
    if (read.scan.error != FormulaError::None) return 0;
    const auto& parts = read.structure.parts;
    double water = 0;
    // The first component is the salt itself, even when it is written H2O.
    for (std::size_t c = 1; c < read.structure.components.size(); ++c) {
        const FormulaComponent& component = read.structure.components[c];
        const bool isWater =
            component.end - component.first == 2 && parts[component.first].symbol == "H" &&
            parts[component.first].count == 2 && parts[component.first + 1].symbol == "O" &&
            parts[component.first + 1].count == 1;
        if (isWater) water += static_cast<double>(component.numerator) / component.denominator;
    }
    return water;
}

std::string AnhydrousFormula(std::string_view text) {
    std::string written = WrittenFormula(text);
    if (HydrateWater(text) == 0) return written;
    // The written formula's components are joined by the middle dot; the water ones go.
    constexpr std::string_view kDot = "\u00b7";
    std::string salt;
    std::size_t begin = 0;
    for (bool first = true; begin <= written.size(); first = false) {
        std::size_t end = written.find(kDot, begin);
        if (end == std::string::npos) end = written.size();
        const std::string piece = written.substr(begin, end - begin);
        // A piece is water when, put after a salt, it reads as a hydrate's water.
        if (first || HydrateWater("X" + std::string(kDot) + piece) == 0)
            salt += (salt.empty() ? "" : std::string(kDot)) + piece;
        begin = end + kDot.size();
    }
    return salt;
}

bool ResolveElement(FormulaEntry& entry, ElementTable& table, UserPort& port) {
    while (true) {
        if (const ElementRecord* found = table.FindSymbol(entry.element.symbol)) {
            entry.element.atomicNumber = found->atomicNumber;
            entry.element.atomicMass = found->atomicMass;
            return true;
        }
        const std::string question = entry.element.symbol + std::string(Select(kNotInDatabase));
        // A stray Enter must not open the editor: No is the default.
        if (AskYesNoWith(port, "* Error *", question, MessageIcon::Exclamation, kAnswerNo) !=
            kAnswerYes) {
            return false;
        }
        port.OpenElementEditor(table, entry.element.symbol);
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
    substance.formulas = scan.formulas;
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
    if (substance.formulas > 1) sum /= substance.formulas;
    substance.molarMass = sum;
    return sum;
}

std::string FormulaDisplayText(std::string_view formula) {
    std::string out;
    bool charge = false;    // after "^": every character raised
    bool afterDot = false;  // the multiplier after a hydrate dot stays on the line
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const char c = formula[i];
        const bool decimal = afterDot && (c == '.' || c == ',') && i + 1 < formula.size() &&
                             IsDigit(formula[i + 1]) && i > 0 && IsDigit(formula[i - 1]);
        if (decimal) {
            out += c;
            continue;
        }
        if (formula.substr(i, 2) == kHydrateDot || c == '*' || c == '.') {
            out += kHydrateDot;
            i += c == '*' || c == '.' ? 0 : 1;
            afterDot = true;
            continue;
        }
        if (afterDot && static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t length = Utf8CharLength(formula, i);
            const std::string_view ch = formula.substr(i, length);
            if (std::any_of(std::begin(kVulgarFractions), std::end(kVulgarFractions),
                            [&](const VulgarFraction& f) { return f.text == ch; })) {
                out += ch;
                i += length - 1;
                continue;
            }
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
        } else if (IsUpper(c) || IsLower(c) || c == '(' || c == ')' || c == '[' || c == ']') {
            out += c;
        }
        afterDot = false;
    }
    return out;
}

}  // namespace tovel
