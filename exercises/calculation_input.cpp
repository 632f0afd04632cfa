#include "exercises/calculation_input.h"

#include <algorithm>

#include "core/control_text.h"
#include "core/messages.h"
#include "core/number_format.h"
#include "core/text_utils.h"
#include "exercises/problem_text.h"

namespace tovel {

void ReportInvalidData(UserPort& port, const std::string& text) {
    NoticeWith(port, "Datos no válidos", text, MessageIcon::Exclamation);
}

std::string NotANumberText(const std::string& field, const std::string& text) {
    return field + ": " + TrimBlanks(text) + "; " + kNumberHint;
}

std::optional<double> ReadAmount(const std::string& text, const std::string& formula,
                                 UserPort& port) {
    int error = 0;
    const double value = ReadReal(text, error);
    const std::string field = "Cantidad no válida para " + formula;
    if (error != 0) {
        ReportInvalidData(port, NotANumberText(field, text));
        return std::nullopt;
    }
    if (!(value >= 0)) {
        ReportInvalidData(port, field + ": " + TrimBlanks(text) + "; no puede ser negativa");
        return std::nullopt;
    }
    return value;
}

std::optional<double> ReadYield(const std::string& text, UserPort& port) {
    if (TrimBlanks(text).empty()) return kPurePercent;
    int error = 0;
    const double value = ReadReal(text, error);
    const std::string field = "Rendimiento %";
    if (error != 0) {
        ReportInvalidData(port, NotANumberText(field, text));
        return std::nullopt;
    }
    if (!YieldInRange(value)) {
        ReportInvalidData(
            port, field + ": " + TrimBlanks(text) + "; ha de ser mayor que 0 y no pasar de 100");
        return std::nullopt;
    }
    return value;
}

std::optional<StoichiometryResult> CalculateObtainedYield(
    const Reaction& reaction, const std::array<std::vector<SlotData>, 2>& data, UserPort& port,
    std::size_t obtainedSlot) {
    std::size_t obtained = obtainedSlot;
    for (std::size_t slot = 1; slot <= data[kProducts].size() && obtained == 0; ++slot) {
        if (data[kProducts][slot - 1].amount > 0) obtained = slot;
    }
    const auto has = [](const SlotData& d) { return d.amount > 0; };
    if (std::none_of(data[kReactants].begin(), data[kReactants].end(), has)) {
        ReportInvalidData(port,
                          "Para calcular el rendimiento hay que dar la cantidad de algún reactivo");
        return std::nullopt;
    }
    if (obtained == 0) {
        ReportInvalidData(
            port, "Para calcular el rendimiento hay que dar lo que se obtiene de algún producto");
        return std::nullopt;
    }
    StoichiometryResult result = CalculateFromObtained(reaction, data, obtained);
    if (!AllFinite(result)) {
        ReportOverflow(port);
        return std::nullopt;
    }
    if (result.yieldPercent > kPurePercent) {
        const SlotData& real = data[kProducts][obtained - 1];
        const Substance& product = reaction.substances[kProducts][obtained - 1];
        const double most = AmountFromMoles(
            product, real, kProducts, result.amounts[kProducts][obtained - 1].theoreticalMoles);
        ReportInvalidData(port, "Se obtienen " + FormatSignificant(real.amount, 3) + " " +
                                    UnitText(real) + " de " + product.formula +
                                    " y con esos reactivos solo pueden formarse " +
                                    FormatSignificant(most, 3) + " " + UnitText(real) +
                                    ": el rendimiento no puede pasar del 100 %");
        return std::nullopt;
    }
    return result;
}

void ReportNoData(UserPort& port) {
    NoticeWith(port, "Ningún dato válido", "Hay que introducir al menos 1 dato",
               MessageIcon::Exclamation);
}

void ReportOverflow(UserPort& port) {
    ReportInvalidData(
        port, "Con estas cantidades algún resultado no cabe en un número: use cantidades menores");
}

void ReportGasNotSet(const std::string& formula, UserPort& port) {
    Notice(port, "Unidad no definida", formula + ": Hay que entrar P y T");
}

void ReportUnusedProducts(const Reaction& reaction, const StoichiometryResult& result,
                          UserPort& port) {
    const auto& unused = result.unusedProducts;
    if (unused.empty()) return;
    auto formula = [&](int side, std::size_t slot) {
        return reaction.substances[side][slot - 1].formula;
    };
    std::string used;
    for (std::size_t k = 0; k < result.dataSlots.size(); ++k) {
        used += formula(result.dataSide, result.dataSlots[k]) +
                ListJoiner(k + 1, result.dataSlots.size());
    }
    std::string left;
    for (std::size_t k = 0; k < unused.size(); ++k)
        left += formula(kProducts, unused[k]) + ListJoiner(k + 1, unused.size());
    const bool several = unused.size() > 1;
    NoticeWith(port, "Datos de más",
               "Se calcula con los datos de " + used + ". " +
                   (several ? "Las cantidades de " : "La cantidad de ") + left +
                   (several ? " no se usan: se muestran las que se obtienen."
                            : " no se usa: se muestra la que se obtiene."),
               MessageIcon::Information);
}

}  // namespace tovel
