#include "core/elements_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <filesystem>

#include "core/number_format.h"
#include "core/record_codec.h"
#include "core/text_utils.h"

namespace tovel {

namespace {

constexpr std::size_t kSymbolBytes = 2;
constexpr std::size_t kNameBytes = 14;

}  // namespace

std::string EncodeElementRecord(const ElementRecord& record) {
    std::string out(kElementRecordSize, '\0');
    PutLittleEndian(out, 0, record.atomicNumber, 2);
    PutTextField(out, 2, record.symbol, kSymbolBytes, ' ');
    PutLittleEndian(out, 6, std::bit_cast<std::uint64_t>(record.atomicMass), 8);
    PutTextField(out, 14, record.name, kNameBytes, ' ');
    return out;
}

ElementRecord DecodeElementRecord(std::string_view in, bool* repaired) {
    ElementRecord record;
    record.atomicNumber = static_cast<std::uint16_t>(GetLittleEndian(in, 0, 2));
    record.symbol = GetTextField(in, 2, kSymbolBytes);
    record.atomicMass = std::bit_cast<double>(GetLittleEndian(in, 6, 8));
    if (!std::isfinite(record.atomicMass)) {
        record.atomicMass = 0.0;
        if (repaired) *repaired = true;
    }
    record.name = GetTextField(in, 14, kNameBytes);
    return record;
}

LoadElementsResult LoadElements(ElementTable& table, const std::string& path) {
    LoadElementsResult result;
    const ReadResult file = ReadFilePrefix(path, ElementTable::kCapacity * kElementRecordSize);
    if (!file) {
        result.error = file.error;
        std::error_code ec;
        result.missing =
            !std::filesystem::exists(path, ec) && !std::filesystem::is_symlink(path, ec);
        // A file that exists but cannot be read must never be written over by a save.
        if (!result.missing) table.SetFileState({"todo el fichero (" + file.error + ")"}, true);
        return result;
    }
    result.loaded = true;
    result.recordsInFile = file.fileSize / kElementRecordSize;
    result.truncated = result.recordsInFile > ElementTable::kCapacity;
    if (!result.truncated) result.partialBytes = file.fileSize % kElementRecordSize;

    std::vector<ElementRecord> records;
    std::vector<std::size_t> recordNumbers;  // where each kept record stands in the file
    std::vector<std::string> leftOut;
    const std::size_t whole = file.bytes.size() / kElementRecordSize;
    for (std::size_t i = 0; i < whole; ++i) {
        bool repaired = false;
        const std::string_view bytes =
            std::string_view(file.bytes).substr(i * kElementRecordSize, kElementRecordSize);
        ElementRecord record = DecodeElementRecord(bytes, &repaired);
        std::string why;
        if (repaired || !IsAtomicMass(record.atomicMass)) {
            why = repaired ? "masa no válida (no es un número)"
                           : "masa no válida (" + FormatSignificant(record.atomicMass, 4) + ")";
        } else if (!IsElementSymbol(record.symbol)) {
            why = "símbolo no válido";
        } else if (record.atomicNumber == 0) {
            why = "número atómico 0";
        }
        bool repeated = false;
        for (std::size_t k = 0; k < records.size() && why.empty(); ++k) {
            const ElementRecord& kept = records[k];
            const bool sameNumber = kept.atomicNumber == record.atomicNumber;
            if (!sameNumber && kept.symbol != record.symbol) continue;
            // Both records are named with their masses: the first one is the one in use, and
            // it may be the wrong one (a record planted before the real element).
            why = (sameNumber ? "número atómico " + IntText(record.atomicNumber) + " repetido"
                              : std::string("símbolo repetido")) +
                  ", ya en el registro " + IntText(static_cast<long>(recordNumbers[k])) + " (" +
                  kept.symbol + ", " + FormatFixed(kept.atomicMass, 0, 3) + ")";
            repeated = true;
            if (result.repeatedSymbol.empty()) result.repeatedSymbol = kept.symbol;
        }
        if (why.empty()) {
            records.push_back(std::move(record));
            recordNumbers.push_back(i + 1);
        } else {
            std::string text =
                "registro " + IntText(static_cast<long>(i + 1)) + " (" + record.symbol +
                (repeated ? ", " + FormatFixed(record.atomicMass, 0, 3) : "") + "): " + why;
            if (repeated) result.repeated.push_back(text);
            result.refused.push_back(text);
            leftOut.push_back(std::move(text));
        }
    }
    if (result.truncated) {
        leftOut.push_back(
            IntText(static_cast<long>(result.recordsInFile - ElementTable::kCapacity)) +
            " registros más allá de los " + IntText(ElementTable::kCapacity) + " que caben");
    }
    table.Assign(std::move(records));
    table.SetFileState(std::move(leftOut), false);
    return result;
}

std::string RepeatedElementsText(const LoadElementsResult& result) {
    std::string text =
        result.repeated.size() == 1 ? "Un elemento repetido: " : "Elementos repetidos: ";
    constexpr std::size_t kNamed = 3;  // more would push the end of the message out of view
    for (std::size_t i = 0; i < result.repeated.size() && i < kNamed; ++i)
        text += (i == 0 ? "" : "; ") + result.repeated[i];
    if (result.repeated.size() > kNamed)
        text += " y " + IntText(static_cast<long>(result.repeated.size() - kNamed)) + " más";
    return text;
}

std::string LoadElementsReport(const LoadElementsResult& result, const std::string& path) {
    if (!result.loaded)
        return result.missing ? "" : path + " no se ha podido leer: " + result.error;
    std::string report;
    auto add = [&report](const std::string& text) {
        report += (report.empty() ? "" : "; ") + text;
    };
    // Repeated records get their own sentence, each named; the others are counted here.
    std::vector<std::string> otherRefused;
    for (const std::string& text : result.refused) {
        if (std::find(result.repeated.begin(), result.repeated.end(), text) ==
            result.repeated.end())
            otherRefused.push_back(text);
    }
    if (!otherRefused.empty()) {
        add(IntText(static_cast<long>(otherRefused.size())) +
            " descartados: " + otherRefused.front() + (otherRefused.size() > 1 ? "..." : ""));
    }
    if (result.truncated)
        add("caben " + IntText(ElementTable::kCapacity) + " y tiene " +
            IntText(static_cast<long>(result.recordsInFile)));
    if (result.partialBytes > 0)
        add("acaba con un registro incompleto de " +
            IntText(static_cast<long>(result.partialBytes)) + " bytes");
    if (report.empty() && result.repeated.empty()) return "";
    const std::size_t read =
        std::min(result.recordsInFile, ElementTable::kCapacity) - result.refused.size();
    std::string text = path + ": " + IntText(static_cast<long>(read)) + " elementos leídos de " +
                       IntText(static_cast<long>(result.recordsInFile)) + " registros";
    if (!report.empty()) text += "; " + report;
    if (!result.repeated.empty()) {
        text += ". " + RepeatedElementsText(result) +
                ". Se usa el primer registro de cada elemento repetido: comprueba su masa.";
    }
    return text;
}

FileResult SaveElements(const ElementTable& table, const std::string& path) {
    std::string bytes;
    bytes.reserve(table.Count() * kElementRecordSize);
    for (const auto& record : table.Records())
        bytes += EncodeElementRecord(record);
    return WriteFileAtomically(path, bytes);
}

}  // namespace tovel
