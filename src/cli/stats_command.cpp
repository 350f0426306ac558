// pomuran-cli stats: every history statistic against the exact chance of a fair draw, as one
// JSON object with stable keys, as CSV rows (one per value) or as the window's figures in text.
#include "cli/commands.h"
#include "core/grid/grid_export.h"
#include "core/stats/statistics_table.h"

#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <sstream>

namespace {

using Json = nlohmann::ordered_json;

enum class StatsFormat { Json, Csv, Text };

struct StatsArguments {
    HistorySource source;
    int lastCount = 0;
    StatsFormat format = StatsFormat::Json;
};

Json frequencyJson(const NumberFrequency& frequency)
{
    Json numbers = Json::array();
    for (int n = 1; n <= kNumberCount; ++n)
        numbers.push_back({{"number", n},
                           {"observed", frequency.observed[n - 1]},
                           {"expected", frequency.expected},
                           {"low", frequency.low},
                           {"high", frequency.high}});
    return numbers;
}

Json patternJson(const PatternDistribution& pattern)
{
    Json observed = Json::object();
    Json exact = Json::object();
    for (std::size_t i = 0; i < pattern.observed.size(); ++i) {
        const std::string key = std::to_string(pattern.key(i));
        observed[key] = pattern.observed[i];
        exact[key] = pattern.combinations[i];
    }
    const ChiSquareTest test = patternTest(pattern);
    return {
        {"observed", observed},
        {"exact", exact},
        {"test",
         {{"statistic", test.statistic}, {"df", test.degreesOfFreedom}, {"p_value", test.pValue}}}};
}

Json pairListJson(const std::vector<PairCount>& pairs)
{
    Json list = Json::array();
    for (const PairCount& pair : pairs)
        list.push_back({{"pair", {pair.first, pair.second}}, {"observed", pair.observed}});
    return list;
}

std::string statisticsJson(const HistoryStatistics& statistics)
{
    Json gapObserved = Json::object();
    Json gapExpected = Json::object();
    for (std::size_t g = 1; g < statistics.gaps.observed.size(); ++g) {
        gapObserved[std::to_string(g)] = statistics.gaps.observed[g];
        gapExpected[std::to_string(g)] = statistics.gaps.expected[g];
    }
    Json current = Json::array();
    for (const NumberGap& gap : statistics.gaps.current)
        current.push_back({{"number", gap.number}, {"gap", gap.gap}, {"p_at_least", gap.pAtLeast}});

    Json root;
    root["draws"] = statistics.frequency.draws;
    root["frequency"] = frequencyJson(statistics.frequency);
    root["frequency_with_bonus"] = frequencyJson(statistics.frequencyWithBonus);
    root["chi_square"] = {{"statistic", statistics.chiSquare.statistic},
                          {"df", statistics.chiSquare.degreesOfFreedom},
                          {"p_value", statistics.chiSquare.pValue}};
    root["gaps"] = {{"observed", gapObserved}, {"expected", gapExpected}, {"current", current}};
    root["sum"] = patternJson(statistics.sum);
    root["odd_even"] = patternJson(statistics.odd);
    root["low_high"] = patternJson(statistics.low);
    root["consecutive"] = patternJson(statistics.consecutive);
    root["last_digit"] = patternJson(statistics.lastDigits);
    root["pairs"] = {
        {"expected", statistics.pairs.expected},
        {"most", pairListJson(statistics.pairs.most)},
        {"least", pairListJson(statistics.pairs.least)},
        {"pairs_at_or_above_most_by_chance", statistics.pairs.pairsAtOrAboveMostByChance},
        {"pairs_at_or_below_least_by_chance", statistics.pairs.pairsAtOrBelowLeastByChance}};
    return root.dump() + "\n";
}

// measure,key,observed,expected,low,high,combinations,probability: one row per value, the
// columns that do not apply left empty.
std::string statisticsCsv(const HistoryStatistics& statistics)
{
    std::ostringstream csv;
    const auto number = [](double value) { return Json(value).dump(); };
    csv << "measure,key,observed,expected,low,high,combinations,probability\n";
    csv << "draws,," << statistics.frequency.draws << ",,,,,\n";
    for (const auto& [name, frequency] :
         {std::pair<const char*, const NumberFrequency*>{"frequency", &statistics.frequency},
          {"frequency_with_bonus", &statistics.frequencyWithBonus}})
        for (int n = 1; n <= kNumberCount; ++n)
            csv << name << ',' << n << ',' << frequency->observed[n - 1] << ','
                << number(frequency->expected) << ',' << frequency->low << ',' << frequency->high
                << ",,\n";
    csv << "chi_square," << statistics.chiSquare.degreesOfFreedom << ','
        << number(statistics.chiSquare.statistic) << ",,,,," << number(statistics.chiSquare.pValue)
        << '\n';
    for (std::size_t g = 1; g < statistics.gaps.observed.size(); ++g)
        csv << "gaps," << g << ',' << statistics.gaps.observed[g] << ','
            << number(statistics.gaps.expected[g]) << ",,,,\n";
    for (const NumberGap& gap : statistics.gaps.current)
        csv << "current_gap," << gap.number << ',' << gap.gap << ",,,,," << number(gap.pAtLeast)
            << '\n';
    for (const auto& [name, pattern] :
         {std::pair<const char*, const PatternDistribution*>{"sum", &statistics.sum},
          {"odd_even", &statistics.odd},
          {"low_high", &statistics.low},
          {"consecutive", &statistics.consecutive},
          {"last_digit", &statistics.lastDigits}})
        for (std::size_t i = 0; i < pattern->observed.size(); ++i)
            csv << name << ',' << pattern->key(i) << ',' << pattern->observed[i] << ','
                << number(pattern->expected(i)) << ",,," << pattern->combinations[i] << ','
                << number(pattern->probability(i)) << '\n';
    for (const auto& [name, list] : {std::pair<const char*, const std::vector<PairCount>*>{
                                         "pairs_most", &statistics.pairs.most},
                                     {"pairs_least", &statistics.pairs.least}})
        for (const PairCount& pair : *list)
            csv << name << ',' << pair.first << '-' << pair.second << ',' << pair.observed << ','
                << number(statistics.pairs.expected) << ",,,,\n";
    return csv.str();
}

// Each measure as the window shows it: caption, reading, then its figures.
std::string statisticsText(const HistoryStatistics& statistics)
{
    std::string text;
    for (int i = 0; i < kStatisticsMeasureCount; ++i) {
        const auto measure = static_cast<StatisticsMeasure>(i);
        text += "■" + measureCaption(measure) + "\n" + measureSummary(statistics, measure, false) +
                "\n" + gridText(statisticsTable(statistics, measure, false)) + "\n";
    }
    return text;
}

int stats(const StatsArguments& arguments, std::ostream& out, std::ostream& err)
{
    auto history = loadHistory(arguments.source);
    if (!history) {
        err << history.error() << '\n';
        return kExitFailure;
    }
    const HistoryStatistics statistics = historyStatistics(history.value(), arguments.lastCount);
    switch (arguments.format) {
    case StatsFormat::Json:
        out << statisticsJson(statistics);
        break;
    case StatsFormat::Csv:
        out << statisticsCsv(statistics);
        break;
    case StatsFormat::Text:
        out << statisticsText(statistics);
        break;
    }
    return kExitSuccess;
}

}  // namespace

void addStatsCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<StatsArguments>();
    CLI::App* command =
        app.add_subcommand("stats", "print the history statistics against exact chance");
    addHistorySourceOptions(command, arguments->source);
    command
        ->add_option("--last", arguments->lastCount,
                     "count only the latest N complete draws (default: all)")
        ->check(CLI::NonNegativeNumber)
        ->option_text("N");
    const std::map<std::string, StatsFormat> formats{
        {"json", StatsFormat::Json}, {"csv", StatsFormat::Csv}, {"text", StatsFormat::Text}};
    command->add_option("--format", arguments->format, "output format (default: json)")
        ->transform(CLI::CheckedTransformer(formats))
        ->option_text("json|csv|text");
    setCommandAction(command, context,
                     [arguments, &context] { return stats(*arguments, context.out, context.err); });
}
