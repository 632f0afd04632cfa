#include "app/sheet_model.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "core/messages.h"
#include "exercises/sheet_moodle.h"
#include "exercises/sheet_typography.h"
#include "system/file_helpers.h"

namespace tovel {

namespace {

constexpr const char* kCaption = "Hoja de problemas";

}  // namespace

SheetModel::SheetModel(ElementTable& table, UserPort& port) : m_table(table), m_port(port) {}

void SheetModel::Open() {
    std::string problems;
    m_library = LoadSheetLibrary(".", m_table, &problems);
    const std::vector<std::string> before = m_typeNames;
    const std::vector<bool> chosen = types;
    m_typeNames = SheetTypeNames(".");
    // A type keeps its choice across openings; new ones start chosen.
    types.assign(m_typeNames.size(), true);
    for (std::size_t i = 0; i < m_typeNames.size(); ++i) {
        for (std::size_t k = 0; k < before.size() && k < chosen.size(); ++k) {
            if (before[k] == m_typeNames[i]) types[i] = chosen[k];
        }
    }
    if (!m_openedBefore) NewSeed();
    m_openedBefore = true;
    if (!problems.empty()) NoticeWith(m_port, kCaption, problems, MessageIcon::Exclamation);
}

void SheetModel::NewSeed() {
    seedText = std::to_string(NewSheetSeed());
}

bool SheetModel::ReadCountAndSeed(std::uint32_t& seed, std::string* reason) const {
    const auto refuse = [&](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    if (count < 1 || count > kSheetCountLimit)
        return refuse("El número de problemas ha de ser de 1 a 50.");
    const char* end = seedText.data() + seedText.size();
    const auto [ptr, ec] = std::from_chars(seedText.data(), end, seed);
    if (seedText.empty() || ec != std::errc() || ptr != end)
        return refuse("La semilla ha de ser un número entero de 0 a 4294967295.");
    return true;
}

std::string SheetModel::DefaultTitle() const {
    if (names) return kNameSheetTitle;
    std::vector<std::string> chosen;
    for (std::size_t i = 0; i < m_typeNames.size() && i < types.size(); ++i) {
        if (types[i]) chosen.push_back(m_typeNames[i]);
    }
    return SheetTitleFor(chosen, m_typeNames.size(), ionElectron);
}

std::optional<NameSheetChoices> SheetModel::NameChoices(std::string* reason) const {
    NameSheetChoices choices;
    if (!ReadCountAndSeed(choices.seed, reason)) return std::nullopt;
    choices.count = count;
    choices.formulaToName = formulaToName;
    choices.nameToFormula = nameToFormula;
    for (std::size_t i = 0; i < nameClasses.size(); ++i) {
        if (nameClasses[i]) choices.classes.push_back(i);
    }
    if (!formulaToName && !nameToFormula) {
        if (reason) *reason = "Elige nombrar fórmulas, formular nombres o los dos.";
        return std::nullopt;
    }
    if (choices.classes.empty()) {
        if (reason) *reason = "Elige al menos una clase de compuestos.";
        return std::nullopt;
    }
    return choices;
}

std::optional<SheetChoices> SheetModel::Choices(std::string* reason) const {
    const auto refuse = [&](const std::string& why) {
        if (reason) *reason = why;
        return std::optional<SheetChoices>();
    };
    SheetChoices choices;
    choices.count = count;
    if (!ReadCountAndSeed(choices.seed, reason)) return std::nullopt;
    for (std::size_t i = 0; i < m_typeNames.size() && i < types.size(); ++i) {
        if (types[i]) choices.types.push_back(m_typeNames[i]);
    }
    if (choices.types.empty()) return refuse("Elige al menos un tipo de reacción.");
    choices.data = data;
    choices.cases = cases;
    choices.yields = yields;
    choices.empirical = empirical;
    choices.ionElectron = ionElectron;
    if (std::find(data.begin(), data.end(), true) == data.end())
        return refuse("Elige al menos una clase de datos.");
    if (std::find(cases.begin(), cases.end(), true) == cases.end())
        return refuse("Elige al menos un planteamiento.");
    return choices;
}

std::string SheetModel::Preview(int problems) const {
    std::string reason;
    SheetText text;
    if (names) {
        std::optional<NameSheetChoices> choices = NameChoices(&reason);
        if (!choices) return reason;
        choices->count = std::min(problems, choices->count);
        text = DrawNameSheet(*choices);
    } else {
        std::optional<SheetChoices> choices = Choices(&reason);
        if (!choices) return reason;
        choices->count = std::min(problems, choices->count);
        const SheetDraw draw = DrawSheet(m_library, *choices);
        if (draw.problems.empty()) return draw.error;
        text = ComposeSheet(draw.problems, choices->seed);
    }
    text = Print(text, SheetOutput::Pdf);
    // The statements only, without the key.
    std::vector<std::string> lines = SheetLines(text, static_cast<std::size_t>(count));
    std::string preview;
    for (const std::string& line : lines) {
        if (line == text.keyTitle) break;
        preview += ShowSeparators(line) + "\n";
    }
    while (preview.size() > 1 && preview.substr(preview.size() - 2) == "\n\n")
        preview.pop_back();
    if (count > problems) preview += "\n...\n";
    return preview;
}

bool SheetModel::Start(SheetOutput output) {
    Cancel();
    std::string reason;
    std::optional<SheetChoices> choices;
    std::optional<NameSheetChoices> nameChoices;
    if (names) {
        nameChoices = NameChoices(&reason);
    } else {
        choices = Choices(&reason);
    }
    if (!choices && !nameChoices) {
        NoticeWith(m_port, kCaption, reason, MessageIcon::Exclamation);
        return false;
    }
    const std::uint32_t seed = names ? nameChoices->seed : choices->seed;
    const std::string extension = output == SheetOutput::Pdf    ? ".pdf"
                                  : output == SheetOutput::Text ? ".txt"
                                                                : ".xml";
    std::string path = "hoja" + std::to_string(seed) + extension;
    if (!ChooseFileToSave(m_port, path, extension)) return false;
    if (FileExists(path) &&
        AskYesNoWith(m_port, kCaption, "Ya existe " + path + ".\r\n¿Reemplazarlo?",
                     MessageIcon::Question, kAnswerNo) != kAnswerYes) {
        return false;
    }
    m_output = output;
    m_path = path;
    m_text = SheetText{};
    m_printed = SheetText{};
    m_shortfall.clear();
    m_nameSheet = names;
    if (names) {
        m_nameChoices = *nameChoices;
        m_namesPending = true;
        return true;
    }
    m_choices = *choices;
    m_text.seed = m_choices.seed;
    m_drawer.emplace(m_library, m_choices);
    return true;
}

bool SheetModel::Step() {
    if (m_namesPending) {
        m_text = DrawNameSheet(m_nameChoices);
        m_namesPending = false;
        m_printed = Print(m_text, m_output);
        return false;
    }
    if (!m_drawer) return false;
    if (!m_drawer->Next()) {
        m_shortfall = m_drawer->Error();
        m_printed = Print(m_text, m_output);
        return false;
    }
    AddToSheet(m_text, m_drawer->Problems().back());
    if (m_drawer->Done()) {
        m_printed = Print(m_text, m_output);
        return false;
    }
    return true;
}

SheetText SheetModel::Print(SheetText text, SheetOutput output) const {
    text.title = title.empty() ? DefaultTitle() : title;
    text.space = space;
    const SheetNumbers numbers = pointNotation                 ? SheetNumbers::Point
                                 : output == SheetOutput::Text ? SheetNumbers::SpanishPlain
                                                               : SheetNumbers::Spanish;
    return PrintedSheet(text, numbers);
}

SheetText SheetModel::Variant(std::uint32_t seed) const {
    if (m_nameSheet) {
        NameSheetChoices choices = m_nameChoices;
        choices.seed = seed;
        return Print(DrawNameSheet(choices), m_output);
    }
    if (!m_drawer) return {};
    return Print(ComposeSheet(SheetVersion(m_library, m_choices, m_drawer->Problems(), seed), seed),
                 m_output);
}

bool SheetModel::Finish(const FileResult& written) {
    m_drawer.reset();
    if (!written) {
        NoticeWith(m_port, kCaption, written.error, MessageIcon::Exclamation);
        return false;
    }
    if (!m_shortfall.empty()) NoticeWith(m_port, kCaption, m_shortfall, MessageIcon::Information);
    return true;
}

bool SheetModel::FinishText() {
    if (m_text.statements.empty()) return Finish({false, m_shortfall});
    return Finish(WriteSheetText(m_path, m_printed));
}

bool SheetModel::FinishMoodle() {
    if (m_text.statements.empty()) return Finish({false, m_shortfall});
    std::vector<SheetText> sheets{m_printed};
    const int versions = std::clamp(variants, 1, kMoodleVariantLimit);
    for (int v = 1; v < versions; ++v)
        sheets.push_back(Variant(m_printed.seed + static_cast<std::uint32_t>(v)));
    return Finish(WriteFileAtomically(m_path, MoodleXml(sheets)));
}

bool SheetModel::FinishBytes(const std::string& bytes) {
    if (m_text.statements.empty()) return Finish({false, m_shortfall});
    return Finish(WriteFileAtomically(m_path, bytes));
}

void SheetModel::Cancel() {
    m_drawer.reset();
    m_namesPending = false;
}

}  // namespace tovel
