// pomuran-cli backtest: how every suggestion of 一発ボボーン would have done on the past draws,
// beside chance.
#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "cli/commands.h"
#include "core/backtest/backtest.h"
#include "core/backtest/backtest_grid.h"
#include "core/backtest/backtest_summary.h"
#include "core/draws/data_locations.h"
#include "core/grid/grid_export.h"
#include "core/prediction/prediction_options.h"

namespace {

enum class BacktestFormat { Json, Csv, Text };

struct BacktestArguments {
    HistorySource source;
    std::optional<int> from;
    std::optional<int> enabledOptions;
    bool allOptions = false;
    BacktestFormat format = BacktestFormat::Json;
};

nlohmann::ordered_json setJson(const Backtest& backtest, int options, int set)
{
    const TargetRange all = allTargets(backtest);
    const SetSummary summary = summarizeSet(backtest, options, set, all);
    const ChanceTest test = testAgainstChance(backtest, options, set, all);
    nlohmann::ordered_json tiers;
    nlohmann::ordered_json expectedTiers;
    for (int i = 0; i < kTierCount; ++i) {
        tiers[kTierNames[i]] = summary.tiers[i];
        expectedTiers[kTierNames[i]] = summary.expectedTiers[i];
    }
    return {{"name", kSuggestionSetNames[set]},
            {"enabled_options", options},
            {"mean_size", summary.meanSize},
            {"hits", summary.hitCounts},
            {"expected_hit_counts", summary.expectedCounts},
            {"bonus_hits", summary.bonusHits},
            {"expected_bonus_hits", summary.expectedBonusHits},
            {"expected_hits", summary.expectedHits},
            {"observed_hits", summary.observedHits},
            {"excess_95", {test.excessLow, test.excessHigh}},
            {"p_value", test.pValue},
            {"ticket_targets", summary.ticketTargets},
            {"tiers", tiers},
            {"expected_tiers", expectedTiers}};
}

std::string backtestJson(const Backtest& backtest, const std::vector<int>& optionCounts)
{
    nlohmann::ordered_json root;
    root["targets"] = backtest.targetCount();
    root["from"] = backtest.from();
    root["sets"] = nlohmann::ordered_json::array();
    for (const int n : optionCounts)
        for (int s = 0; s < kSuggestionSetCount; ++s)
            root["sets"].push_back(setJson(backtest, n, s));
    // The option count that did best on the first half, judged on the second.
    root["option_choice"] = nlohmann::ordered_json::array();
    for (int s = 0; s < kSuggestionSetCount; ++s) {
        const OptionChoice choice = chooseOptionCount(backtest, s);
        root["option_choice"].push_back({{"name", kSuggestionSetNames[s]},
                                         {"best_count", choice.bestCount},
                                         {"depends_on_options", !choice.optionsIrrelevant},
                                         {"first_half_excess", choice.firstHalfExcess},
                                         {"second_half_excess", choice.secondHalfExcess},
                                         {"second_half_p_value", choice.secondHalf.pValue}});
    }
    return root.dump(2) + '\n';
}

std::string backtestCsv(const Backtest& backtest, const std::vector<int>& optionCounts)
{
    std::ostringstream out;
    out << "name,enabled_options,targets,mean_size,hits0,hits1,hits2,hits3,hits4,hits5,"
           "bonus_hits,observed_hits,expected_hits,excess_low,excess_high,p_value,"
           "1等,2等,3等,4等\n";
    out.precision(10);
    for (const int n : optionCounts)
        for (int s = 0; s < kSuggestionSetCount; ++s) {
            const SetSummary summary = summarizeSet(backtest, n, s, allTargets(backtest));
            const ChanceTest test = testAgainstChance(backtest, n, s, allTargets(backtest));
            out << kSuggestionSetNames[s] << ',' << n << ',' << summary.targets << ','
                << summary.meanSize;
            for (const int count : summary.hitCounts)
                out << ',' << count;
            out << ',' << summary.bonusHits << ',' << summary.observedHits << ','
                << summary.expectedHits << ',' << test.excessLow << ',' << test.excessHigh << ','
                << test.pValue;
            for (const int tier : summary.tiers)
                out << ',' << tier;
            out << '\n';
        }
    return out.str();
}

int backtest(const BacktestArguments& arguments, std::ostream& out, std::ostream& err)
{
    auto history = loadHistory(arguments.source);
    if (!history) {
        err << history.error() << '\n';
        return kExitFailure;
    }
    std::optional<int> from = arguments.from;
    if (!from) from = defaultFirstTarget(history.value());
    if (!from) {
        err << "the history holds fewer than 50 complete draws: give the first target with "
               "--from\n";
        return kExitFailure;
    }
    std::vector<int> optionCounts;
    if (arguments.allOptions) {
        for (int n = 0; n < kOptionCounts; ++n)
            optionCounts.push_back(n);
    } else if (arguments.enabledOptions) {
        optionCounts.push_back(*arguments.enabledOptions);
    } else {
        PredictionOptions options;
        ReadInitFile(options, currentDataLocations().settingsFile);
        optionCounts.push_back(options.enabledCount());
    }

    const Backtest result = runBacktest(history.value(), *from);
    switch (arguments.format) {
    case BacktestFormat::Json:
        out << backtestJson(result, optionCounts);
        break;
    case BacktestFormat::Csv:
        out << backtestCsv(result, optionCounts);
        break;
    case BacktestFormat::Text:
        for (const int n : optionCounts)
            out << gridText(backtestGrid(result, n));
        break;
    }
    return kExitSuccess;
}

}  // namespace

void addBacktestCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<BacktestArguments>();
    CLI::App* command = app.add_subcommand(
        "backtest",
        "how the suggestions of 一発ボボーン would have done on past draws, against chance");
    addHistorySourceOptions(command, arguments->source);
    command
        ->add_option("--from", arguments->from,
                     "回数 of the first target draw (default: the 50th complete draw)")
        ->option_text("N");
    CLI::Option* enabled =
        command
            ->add_option(
                "--enabled-options", arguments->enabledOptions,
                "prediction options in force, 0 to 12 (default: from the ポムラン.ini in use)")
            ->check(CLI::Range(0, 12))
            ->option_text("N");
    command->add_flag("--all-options", arguments->allOptions, "every option count 0 to 12")
        ->excludes(enabled);
    const std::map<std::string, BacktestFormat> formats{{"json", BacktestFormat::Json},
                                                        {"csv", BacktestFormat::Csv},
                                                        {"text", BacktestFormat::Text}};
    command->add_option("--format", arguments->format, "output format (default: json)")
        ->transform(CLI::CheckedTransformer(formats))
        ->option_text("json|csv|text");
    setCommandAction(command, context, [arguments, &context] {
        return backtest(*arguments, context.out, context.err);
    });
}
