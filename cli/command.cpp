#include "cli/command.h"

#include <istream>
#include <ostream>

#include "core/equation_checks.h"
#include "core/text_utils.h"

namespace tovel {

int RunEachItem(const std::vector<std::string>& items, CliContext& context, bool fromInput,
                const std::function<bool(const std::string& item, CliContext& context)>& one) {
    bool allDone = true;
    if (fromInput && items.empty()) {
        for (std::string line; std::getline(context.in, line);) {
            if (!TrimWhitespaceView(line).empty()) allDone = one(line, context) && allDone;
        }
    } else {
        for (const std::string& item : items)
            allDone = one(item, context) && allDone;
    }
    return allDone ? 0 : 1;
}

bool ParseAndBalance(const std::string& equation, Reaction& reaction, CliContext& context,
                     const char* lineEnd) {
    ReactionParseFailure failure;
    const int code = ParseReaction(reaction, equation, context.table, context.port, &failure);
    ReportReactionParseFailure(code, context.port, &failure, equation);
    if (code == kReactionOk && AutoBalance(reaction, context.table, context.port)) return true;
    std::string report = context.port.TakeReport();
    if (code == kReactionOk && !SameElements(reaction))
        report += " (" + OneSideElementsText(reaction, context.table) + ")";
    context.out << "error: " << report << lineEnd;
    return false;
}

}  // namespace tovel
