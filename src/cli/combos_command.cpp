// pomuran-cli combos: the combinations 組合せ作成 makes, with its filters and reduction.
#include <memory>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "core/tickets/combination_builder.h"
#include "core/tickets/combination_view.h"

namespace {

enum class CombosFormat { Json, Csv, Text };

struct CombosArguments {
    std::string numbers;
    std::string fixed;
    std::optional<int> reduce;
    std::string guarantee;
    std::optional<double> seconds;
    std::string sum;
    std::string oddEven;
    std::string lowHigh;
    std::optional<int> maxConsecutive;
    std::optional<int> maxPrevious;
    bool notWon = false;
    HistorySource source;
    CombosFormat format = CombosFormat::Json;
};

// "60-100" as an inclusive range.
Result<std::pair<int, int>> parseRange(const std::string& text)
{
    const auto dash = text.find('-');
    const auto bad = Error{"--sum は 最小-最大 の形で指定してください（例: 60-100）: " + text};
    if (dash == std::string::npos || dash == 0 || dash + 1 >= text.size()) return bad;
    try {
        std::size_t used = 0;
        const int low = std::stoi(text.substr(0, dash), &used);
        if (used != dash) return bad;
        const std::string rest = text.substr(dash + 1);
        const int high = std::stoi(rest, &used);
        if (used != rest.size()) return bad;
        return std::pair{low, high};
    } catch (const std::exception&) {
        return bad;
    }
}

const char* sourceKey(CoverSource source)
{
    switch (source) {
    case CoverSource::Stored:
        return "stored";
    case CoverSource::Search:
        return "search";
    case CoverSource::Greedy:
        return "greedy";
    }
    return "";
}

// "CD" or "C,D" as the letters.
std::string letters(const std::string& pattern)
{
    std::string result;
    for (char c : pattern)
        if (c != ',' && c != ' ')
            result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

int combos(const CombosArguments& arguments, std::ostream& out, std::ostream& err)
{
    ComboRequest request;
    auto picked = parseNumberList(arguments.numbers);
    if (!picked) {
        err << "--numbers: " << picked.error() << '\n';
        return kExitUsage;
    }
    request.picked = *picked;
    auto fixed = parseNumberList(arguments.fixed);
    if (!fixed) {
        err << "--fixed: " << fixed.error() << '\n';
        return kExitUsage;
    }
    request.fixed = *fixed;
    if (arguments.reduce) {
        // The older spelling of --guarantee 3/3.
        if (*arguments.reduce != 3) {
            err << "--reduce は 3（3個一致の保証）だけが指定できます。ほかの保証は --guarantee "
                   "T/M で指定してください\n";
            return kExitUsage;
        }
        request.guarantee = Guarantee{3, 3};
    }
    if (!arguments.guarantee.empty()) {
        auto guarantee = parseGuarantee(arguments.guarantee);
        if (!guarantee) {
            err << "--guarantee: " << guarantee.error() << '\n';
            return kExitUsage;
        }
        if (request.guarantee && !(*request.guarantee == *guarantee)) {
            err << "--reduce 3 と --guarantee " << arguments.guarantee
                << " は同時に指定できません\n";
            return kExitUsage;
        }
        request.guarantee = *guarantee;
    }
    if (arguments.seconds) request.searchSeconds = *arguments.seconds;
    if (!arguments.sum.empty()) {
        auto range = parseRange(arguments.sum);
        if (!range) {
            err << range.error() << '\n';
            return kExitUsage;
        }
        request.filters.sum = *range;
    }
    request.filters.oddEvenLetters = letters(arguments.oddEven);
    request.filters.lowHighLetters = letters(arguments.lowHigh);
    request.filters.maxConsecutive = arguments.maxConsecutive;
    request.filters.maxFromPrevious = arguments.maxPrevious;
    request.filters.notWon = arguments.notWon;

    // The draw history is read only when a filter needs it.
    ComboHistory history;
    if (arguments.notWon || arguments.maxPrevious) {
        auto draws = loadHistory(arguments.source);
        if (!draws) {
            err << draws.error() << '\n';
            return kExitFailure;
        }
        history = comboHistoryOf(*draws);
    }
    if (auto ok = checkComboRequest(request); !ok) {
        err << ok.error() << '\n';
        return kExitUsage;
    }
    auto result = buildCombinations(request, history);
    if (!result) {
        err << result.error() << '\n';
        return kExitFailure;
    }

    switch (arguments.format) {
    case CombosFormat::Json: {
        nlohmann::ordered_json removedBy = nlohmann::ordered_json::object();
        for (ComboFilter filter : kComboFilters)
            if (request.filters.active(filter))
                removedBy[filterKey(filter)] = result->removedBy[static_cast<std::size_t>(filter)];
        if (request.guarantee) removedBy["reduce"] = result->removedByReduce;
        nlohmann::ordered_json tickets = nlohmann::ordered_json::array();
        for (const TicketNumbers& t : result->tickets)
            tickets.push_back(std::vector<int>(t.begin(), t.end()));
        nlohmann::ordered_json document = {
            {"count", result->count()},
            {"cost", result->cost()},
            {"guarantee", result->guarantee ? nlohmann::ordered_json(*result->guarantee)
                                            : nlohmann::ordered_json(nullptr)},
            {"removed_by", removedBy},
            {"tickets", tickets}};
        if (request.guarantee) {
            const ComboOdds& odds = result->odds;
            document["reduction"] = {{"guarantee", std::to_string(request.guarantee->t) + "/" +
                                                       std::to_string(request.guarantee->m)},
                                     {"full_count", result->fullCount()},
                                     {"saved", result->savedYen()},
                                     {"checked_sets", result->check.subsets},
                                     {"coverable_sets", result->check.coverable},
                                     {"source", sourceKey(result->source)},
                                     {"draws", odds.draws},
                                     {"condition_met", odds.conditionMet},
                                     {"promise_kept", odds.promiseKept},
                                     {"fourth_or_better", odds.fourthOrBetter}};
        }
        out << document.dump() << '\n';
        break;
    }
    case CombosFormat::Csv:
        out << "n1,n2,n3,n4,n5\n";
        for (const TicketNumbers& t : result->tickets)
            out << numbersText(t, ",") << '\n';
        break;
    case CombosFormat::Text:
        for (const TicketNumbers& t : result->tickets)
            out << numbersText(t, " ") << '\n';
        out << result->count() << "口  " << result->cost() << "円  (組合せ " << result->generated
            << "通り";
        for (ComboFilter filter : kComboFilters)
            if (request.filters.active(filter))
                out << ", " << filterLabel(filter) << " -"
                    << result->removedBy[static_cast<std::size_t>(filter)];
        if (request.guarantee) out << ", 削減 -" << result->removedByReduce;
        out << ")\n";
        if (result->guarantee) {
            out << *result->guarantee << '\n';
            for (const std::string& line : comboSummaryLines(*result, *request.guarantee))
                out << line << '\n';
        }
        break;
    }
    return kExitSuccess;
}

}  // namespace

void addCombosCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<CombosArguments>();
    CLI::App* command =
        app.add_subcommand("combos", "five-number combinations of picked numbers, filtered");
    command->add_option("--numbers", arguments->numbers, "the picked numbers, as 3,8,12,19,25,30")
        ->required()
        ->option_text("LIST");
    command->add_option("--fixed", arguments->fixed, "numbers every ticket holds")
        ->option_text("LIST");
    command->add_option("--reduce", arguments->reduce, "the same as --guarantee 3/3")
        ->option_text("3");
    command
        ->add_option("--guarantee", arguments->guarantee,
                     "a reduced set: some ticket holds T drawn numbers whenever M of them are "
                     "picked (2/2, 3/3, 3/4, 3/5, 4/4, 4/5, 5/5)")
        ->option_text("T/M");
    command
        ->add_option("--seconds", arguments->seconds,
                     "time the search may take to shrink a reduced set under fixed numbers or "
                     "filters (default 1)")
        ->check(CLI::Range(0.0, 600.0))
        ->option_text("S");
    command->add_option("--sum", arguments->sum, "the five numbers add up to MIN..MAX")
        ->option_text("MIN-MAX");
    command->add_option("--odd-even", arguments->oddEven, "allowed odd/even letters, as CD")
        ->option_text("PATTERN");
    command->add_option("--low-high", arguments->lowHigh, "allowed low/high letters, as BCDE")
        ->option_text("PATTERN");
    command
        ->add_option("--max-consecutive", arguments->maxConsecutive,
                     "at most N pairs of consecutive numbers")
        ->check(CLI::Range(0, 4))
        ->option_text("N");
    command
        ->add_option("--max-previous", arguments->maxPrevious,
                     "at most N numbers of the latest draw")
        ->check(CLI::Range(0, 5))
        ->option_text("N");
    command->add_flag("--not-won", arguments->notWon, "leave out every past 1等 combination");
    addHistorySourceOptions(command, arguments->source);
    const std::map<std::string, CombosFormat> formats{
        {"json", CombosFormat::Json}, {"csv", CombosFormat::Csv}, {"text", CombosFormat::Text}};
    command->add_option("--format", arguments->format, "output format (default: json)")
        ->transform(CLI::CheckedTransformer(formats))
        ->option_text("json|csv|text");
    setCommandAction(command, context, [arguments, &context] {
        return combos(*arguments, context.out, context.err);
    });
}
