// pomuran-cli tables: the per-number tables derived from the draw history at start-up.
#include <memory>

#include "cli/commands.h"
#include "core/draws/draw_tables.h"
#include "core/grid/grid_export.h"
#include "core/lottery/lottery_rules.h"

namespace {

int printTables(const HistorySource& source, std::ostream& out, std::ostream& err)
{
    auto history = loadHistory(source);
    if (!history) {
        err << history.error() << '\n';
        return kExitFailure;
    }
    const DrawTables tables = LoadDrawTables(history.value());
    out << "{\"LatestDrawNo\": " << tables.LatestDrawNo << ", \"NumberHits\": [";
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        out << (n > kLowestNumber ? ", " : "") << tables.NumberHits[n];
    out << "], \"MaxHits\": " << tables.MaxHits << ", \"HitGroups\": [";
    for (std::size_t k = 0; k < tables.HitGroups.size(); ++k)
        out << (k ? ", " : "") << jsonString(tables.HitGroups[k]);
    out << "], \"HitGroupRows\": " << tables.HitGroupRows << "}\n";
    return kExitSuccess;
}

}  // namespace

void addTablesCommand(CLI::App& app, CliContext& context)
{
    auto source = std::make_shared<HistorySource>();
    CLI::App* command =
        app.add_subcommand("tables", "print the per-number tables derived at start-up");
    addHistorySourceOptions(command, *source);
    setCommandAction(command, context,
                     [source, &context] { return printTables(*source, context.out, context.err); });
}
