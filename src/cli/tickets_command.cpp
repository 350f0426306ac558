// pomuran-cli tickets add|list|remove|check: the player's ticket register on the command line.
#include <iomanip>
#include <memory>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "core/lottery/lottery_rules.h"
#include "core/tickets/ticket_check.h"
#include "core/tickets/ticket_grids.h"

namespace {

enum class TicketFormat { Json, Csv, Text };

struct TicketArguments {
    std::string file;  // --tickets
    long long drawNo = 0;
    std::string numbers;
    int count = 1;
    long long id = 0;
    std::optional<long long> onlyDraw;
    HistorySource source;
    TicketFormat format = TicketFormat::Json;
};

void addTicketFileOption(CLI::App* command, std::string& file)
{
    file = defaultTicketFile();
    command
        ->add_option("--tickets", file,
                     "ticket file (default: tickets.sqlite in the player's data folder)")
        ->option_text("FILE");
}

void addFormatOption(CLI::App* command, TicketFormat& format, const char* fallback)
{
    const std::map<std::string, TicketFormat> formats{
        {"json", TicketFormat::Json}, {"csv", TicketFormat::Csv}, {"text", TicketFormat::Text}};
    command
        ->add_option("--format", format, std::string("output format (default: ") + fallback + ")")
        ->transform(CLI::CheckedTransformer(formats))
        ->option_text("json|csv|text");
}

Result<TicketStore> openStore(const TicketArguments& arguments)
{
    return TicketStore::open(arguments.file);
}

int fail(std::ostream& err, const std::string& message)
{
    err << message << '\n';
    return kExitFailure;
}

int addTicket(const TicketArguments& arguments, std::ostream& out, std::ostream& err)
{
    StoredTicket ticket;
    if (auto draw = checkDrawNo(arguments.drawNo); !draw) return fail(err, draw.error());
    ticket.drawNo = static_cast<int>(arguments.drawNo);
    auto list = parseNumberList(arguments.numbers);
    if (!list) return fail(err, list.error());
    auto numbers = ticketNumbers(*list);
    if (!numbers) return fail(err, numbers.error());
    ticket.numbers = *numbers;
    ticket.count = arguments.count;
    ticket.source = "コマンドライン";
    auto store = openStore(arguments);
    if (!store) return fail(err, store.error());
    auto ids = store->add({ticket});
    if (!ids) return fail(err, ids.error());
    out << "added ticket " << ids->front() << ": draw " << ticket.drawNo << ", "
        << numbersText(ticket.numbers, ",") << " x" << ticket.count << '\n';
    return kExitSuccess;
}

nlohmann::ordered_json numbersJson(const TicketNumbers& numbers)
{
    return nlohmann::ordered_json(std::vector<int>(numbers.begin(), numbers.end()));
}

int listTickets(const TicketArguments& arguments, std::ostream& out, std::ostream& err)
{
    auto store = openStore(arguments);
    if (!store) return fail(err, store.error());
    auto tickets = store->tickets();
    if (!tickets) return fail(err, tickets.error());
    switch (arguments.format) {
    case TicketFormat::Json: {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const StoredTicket& t : *tickets)
            list.push_back({{"id", t.id},
                            {"draw", t.drawNo},
                            {"numbers", numbersJson(t.numbers)},
                            {"count", t.count},
                            {"source", t.source}});
        out << nlohmann::ordered_json{{"tickets", list}}.dump() << '\n';
        break;
    }
    case TicketFormat::Csv:
        out << "id,draw,n1,n2,n3,n4,n5,count,source\n";
        for (const StoredTicket& t : *tickets)
            out << t.id << ',' << t.drawNo << ',' << numbersText(t.numbers, ",") << ',' << t.count
                << ',' << t.source << '\n';
        break;
    case TicketFormat::Text:
        for (const StoredTicket& t : *tickets)
            out << std::setw(6) << t.id << "  第" << t.drawNo << "回  "
                << numbersText(t.numbers, " ") << "  " << t.count << "口  " << t.source << '\n';
        out << tickets->size() << " lines\n";
        break;
    }
    return kExitSuccess;
}

int removeTicket(const TicketArguments& arguments, std::ostream& out, std::ostream& err)
{
    auto store = openStore(arguments);
    if (!store) return fail(err, store.error());
    if (auto removed = store->remove(arguments.id); !removed) return fail(err, removed.error());
    out << "removed ticket " << arguments.id << '\n';
    return kExitSuccess;
}

nlohmann::ordered_json tierCounts(const TicketTotals& totals)
{
    nlohmann::ordered_json byTier = nlohmann::ordered_json::object();
    for (int t = 0; t < kPrizeTierCount; ++t)
        byTier[tierName(kPrizeTiers[static_cast<std::size_t>(t)])] =
            totals.byTier[static_cast<std::size_t>(t)];
    return byTier;
}

// "typed" (the player's amount), "imported" (with the draws), or null.
nlohmann::ordered_json prizeSourceName(PrizeSource source)
{
    switch (source) {
    case PrizeSource::Typed:
        return "typed";
    case PrizeSource::Imported:
        return "imported";
    case PrizeSource::Unknown:
        break;
    }
    return nullptr;
}

int checkTicketsCommand(const TicketArguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.onlyDraw)
        if (auto draw = checkDrawNo(*arguments.onlyDraw); !draw) return fail(err, draw.error());
    auto store = openStore(arguments);
    if (!store) return fail(err, store.error());
    auto tickets = store->tickets();
    if (!tickets) return fail(err, tickets.error());
    auto amounts = store->prizeAmounts();
    if (!amounts) return fail(err, amounts.error());
    auto history = loadHistory(arguments.source);
    if (!history) return fail(err, history.error());
    // Imported with the draws; an amount the player typed wins over it.
    auto imported = loadPrizes(arguments.source);
    if (!imported) return fail(err, imported.error());
    if (arguments.onlyDraw)
        std::erase_if(*tickets,
                      [&](const StoredTicket& t) { return t.drawNo != *arguments.onlyDraw; });
    const TicketReport report =
        checkTickets(*tickets, DrawLookup(*history), prizeTable(*amounts, *imported));
    const TicketTotals& total = report.total;

    switch (arguments.format) {
    case TicketFormat::Json: {
        nlohmann::ordered_json lines = nlohmann::ordered_json::array();
        for (const CheckedTicket& line : report.tickets) {
            nlohmann::ordered_json entry = {{"id", line.ticket.id},
                                            {"draw", line.ticket.drawNo},
                                            {"numbers", numbersJson(line.ticket.numbers)},
                                            {"count", line.ticket.count}};
            if (line.check) {
                entry["matched"] = line.check->matched;
                entry["bonus"] = line.check->bonus;
                entry["tier"] = line.check->tier == PrizeTier::None
                                    ? nlohmann::ordered_json(nullptr)
                                    : nlohmann::ordered_json(tierName(line.check->tier));
            } else {
                // Not drawn yet (or not in the database): nothing to match.
                entry["matched"] = nullptr;
                entry["bonus"] = nullptr;
                entry["tier"] = nullptr;
            }
            entry["prize"] =
                line.prize ? nlohmann::ordered_json(*line.prize) : nlohmann::ordered_json(nullptr);
            entry["prize_source"] = prizeSourceName(line.prizeSource);
            lines.push_back(entry);
        }
        nlohmann::ordered_json totals = {
            {"tickets", total.tickets},     {"cost", total.cost},
            {"by_tier", tierCounts(total)}, {"unchecked", total.unchecked},
            {"winnings", total.winnings},   {"unpriced", total.unpriced}};
        const auto rate = total.returnRate();
        totals["return_rate"] =
            rate ? nlohmann::ordered_json(*rate) : nlohmann::ordered_json(nullptr);
        out << nlohmann::ordered_json{{"tickets", lines}, {"totals", totals}}.dump() << '\n';
        break;
    }
    case TicketFormat::Csv:
        out << "id,draw,n1,n2,n3,n4,n5,count,matched,bonus,tier,prize,prize_source\n";
        for (const CheckedTicket& line : report.tickets) {
            out << line.ticket.id << ',' << line.ticket.drawNo << ','
                << numbersText(line.ticket.numbers, ",") << ',' << line.ticket.count << ',';
            if (line.check) {
                std::string matched;
                for (int n : line.check->matched)
                    matched += (matched.empty() ? "" : " ") + std::to_string(n);
                out << matched << ',' << (line.check->bonus ? "true" : "false") << ','
                    << tierName(line.check->tier);
            } else {
                out << ",,";
            }
            const auto source = prizeSourceName(line.prizeSource);
            out << ',' << (line.prize ? std::to_string(*line.prize) : "") << ','
                << (source.is_null() ? "" : source.get<std::string>()) << '\n';
        }
        break;
    case TicketFormat::Text:
        for (const CheckedTicket& line : report.tickets) {
            out << "第" << line.ticket.drawNo << "回  " << numbersText(line.ticket.numbers, " ")
                << "  " << line.ticket.count << "口  ";
            if (!line.check) {
                out << "未抽選\n";
                continue;
            }
            out << "一致 " << line.check->matched.size() << "個" << (line.check->bonus ? "+B" : "")
                << "  "
                << (line.check->tier == PrizeTier::None ? "－" : tierName(line.check->tier));
            if (line.prize)
                out << "  " << yenText(*line.prize) << "円"
                    << (line.prizeSource == PrizeSource::Typed ? "（入力）" : "");
            out << '\n';
        }
        out << "合計 " << total.tickets << "口  購入額 " << yenText(total.cost) << "円";
        for (int t = 0; t < kPrizeTierCount; ++t)
            out << "  " << tierName(kPrizeTiers[static_cast<std::size_t>(t)]) << ' '
                << total.byTier[static_cast<std::size_t>(t)];
        out << "  当選金 " << yenText(total.winnings) << "円  回収率 " << returnRateText(total);
        if (total.unpriced) out << "  金額未入力 " << total.unpriced << "口";
        if (total.unchecked) out << "  未抽選 " << total.unchecked << "口";
        out << '\n';
        break;
    }
    return kExitSuccess;
}

}  // namespace

void addTicketsCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<TicketArguments>();
    CLI::App* tickets = app.add_subcommand("tickets", "the player's ticket register");
    tickets->require_subcommand(1, 1);

    CLI::App* add = tickets->add_subcommand("add", "register a ticket for a draw");
    addTicketFileOption(add, arguments->file);
    // Taken wide so that an out-of-range draw number gets the register's own message.
    add->add_option("--draw", arguments->drawNo,
                    "draw number, 1 to " + std::to_string(kHighestDrawNo))
        ->required();
    add->add_option("--numbers", arguments->numbers, "five numbers 1 to 31, as 1,5,12,20,31")
        ->required()
        ->option_text("LIST");
    add->add_option("--count", arguments->count, "tickets bought of these numbers (default 1)")
        ->check(CLI::Range(1, kMaxTicketCount))
        ->option_text("K");
    setCommandAction(add, context, [arguments, &context] {
        return addTicket(*arguments, context.out, context.err);
    });

    CLI::App* list = tickets->add_subcommand("list", "list the registered tickets");
    addTicketFileOption(list, arguments->file);
    addFormatOption(list, arguments->format, "text");
    list->preparse_callback([arguments](std::size_t) { arguments->format = TicketFormat::Text; });
    setCommandAction(list, context, [arguments, &context] {
        return listTickets(*arguments, context.out, context.err);
    });

    CLI::App* remove = tickets->add_subcommand("remove", "remove a registered ticket");
    addTicketFileOption(remove, arguments->file);
    remove->add_option("ID", arguments->id, "the ticket's id (see tickets list)")->required();
    setCommandAction(remove, context, [arguments, &context] {
        return removeTicket(*arguments, context.out, context.err);
    });

    CLI::App* check = tickets->add_subcommand("check", "check the tickets against the draws");
    addTicketFileOption(check, arguments->file);
    check->add_option("--draw", arguments->onlyDraw, "only the tickets of this draw");
    addHistorySourceOptions(check, arguments->source);
    addFormatOption(check, arguments->format, "json");
    setCommandAction(check, context, [arguments, &context] {
        return checkTicketsCommand(*arguments, context.out, context.err);
    });
}
