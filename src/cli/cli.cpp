#include "cli/cli.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>

#include "analyses/analysis_catalog.h"
#include "cli/show_window.h"
#include "draws/connection_string.h"
#include "draws/draw_csv.h"
#include "draws/draw_database.h"
#include "draws/draw_tables.h"
#include "draws/program_folder.h"
#include "maintenance/draw_update.h"
#include "ui/grid_export.h"

namespace {

constexpr const char* kUsage =
    "usage: pomuran-cli import CSV [--db FILE]\n"
    "       pomuran-cli export [--db FILE]\n"
    "       pomuran-cli list\n"
    "       pomuran-cli show WINDOW [--db FILE | --csv FILE] [--enabled-options N]"
    " [--format json|csv|text]\n"
    "       pomuran-cli tables [--db FILE | --csv FILE]\n"
    "       pomuran-cli update [--server URL] [--db FILE]\n";

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
};

// Splits "--name value" pairs from positional words; false on an unknown or valueless option.
bool parseArguments(const std::vector<std::string>& args, std::size_t from,
                    const std::vector<std::string>& allowed, Arguments& parsed)
{
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.rfind("--", 0) != 0) {
            parsed.positional.push_back(word);
            continue;
        }
        if (std::find(allowed.begin(), allowed.end(), word) == allowed.end()) return false;
        if (i + 1 >= args.size() || parsed.options.count(word)) return false;
        parsed.options[word] = args[++i];
    }
    return true;
}

std::string defaultDatabase()
{
    return (std::filesystem::path(programFolder()) / kDatabaseFileName).string();
}

std::string databaseOf(const Arguments& arguments)
{
    const auto db = arguments.options.find("--db");
    return db != arguments.options.end() ? db->second : defaultDatabase();
}

Result<DrawHistory> loadSnapshot(const Arguments& arguments)
{
    if (const auto csv = arguments.options.find("--csv"); csv != arguments.options.end()) {
        auto text = readTextFile(csv->second);
        if (!text) return Error{text.error()};
        auto rows = parseDrawCsv(text.value(), CsvValues::AsWritten);
        if (!rows) return Error{csv->second + ": " + rows.error()};
        return DrawHistory(sortedByDrawNo(std::move(rows.value())));
    }
    return loadDrawHistory(connectStringForFile(databaseOf(arguments)));
}

int importCommand(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.positional.size() != 1) return 2;
    const std::string csvPath = arguments.positional[0];
    const std::string target = databaseOf(arguments);
    auto text = readTextFile(csvPath);
    if (!text) {
        err << text.error() << '\n';
        return 1;
    }
    auto rows = parseDrawCsv(text.value(), CsvValues::StrictNumbers);
    if (!rows) {
        err << csvPath << ": " << rows.error() << '\n';
        return 1;
    }
    std::error_code fsError;
    if (std::filesystem::exists(target, fsError)) {
        // Only a draw database of this program is replaced; any other file is left alone.
        auto existing = DrawDatabase::open(connectStringForFile(target));
        if (!existing) {
            err << existing.error() << " (not replaced)\n";
            return 1;
        }
    }
    // Built aside and renamed over the target, so a failed import leaves the old file intact.
    const std::string temporary = target + ".import-tmp";
    std::filesystem::remove(temporary, fsError);
    {
        auto database = DrawDatabase::create(temporary);
        Status written =
            database ? database->insertDraws(rows.value()) : Status(Error{database.error()});
        if (!written) {
            err << written.error() << '\n';
            std::filesystem::remove(temporary, fsError);
            return 1;
        }
    }
    std::filesystem::rename(temporary, target, fsError);
    if (fsError) {
        err << target << ": " << fsError.message() << '\n';
        std::filesystem::remove(temporary, fsError);
        return 1;
    }
    out << rows->size() << " rows imported into " << target << '\n';
    return 0;
}

int exportCommand(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (!arguments.positional.empty()) return 2;
    auto database = DrawDatabase::open(connectStringForFile(databaseOf(arguments)));
    if (!database) {
        err << database.error() << '\n';
        return 1;
    }
    auto rows = database->readAllDraws();
    if (!rows) {
        err << rows.error() << '\n';
        return 1;
    }
    out << drawCsv(rows.value());
    return 0;
}

int tablesCommand(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (!arguments.positional.empty()) return 2;
    auto history = loadSnapshot(arguments);
    if (!history) {
        err << history.error() << '\n';
        return 1;
    }
    const DrawTables tables = LoadDrawTables(history.value());
    out << "{\"LatestDrawNo\": " << tables.LatestDrawNo << ", \"NumberHits\": [";
    for (int n = 1; n <= 31; ++n)
        out << (n > 1 ? ", " : "") << tables.NumberHits[n];
    out << "], \"MaxHits\": " << tables.MaxHits << ", \"HitGroups\": [";
    for (std::size_t k = 0; k < tables.HitGroups.size(); ++k)
        out << (k ? ", " : "") << jsonString(tables.HitGroups[k]);
    out << "], \"HitGroupRows\": " << tables.HitGroupRows << "}\n";
    return 0;
}

int listCommand(const Arguments& arguments, std::ostream& out)
{
    if (!arguments.positional.empty()) return 2;
    for (const std::string& name : shownWindowNames())
        out << name << '\n';
    return 0;
}

int showCommand(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.positional.size() != 1) return 2;
    if (arguments.options.count("--db") && arguments.options.count("--csv")) return 2;
    ShowRequest request;
    request.window = arguments.positional[0];
    if (const auto format = arguments.options.find("--format"); format != arguments.options.end()) {
        if (format->second == "json")
            request.format = ShowFormat::Json;
        else if (format->second == "csv")
            request.format = ShowFormat::Csv;
        else if (format->second == "text")
            request.format = ShowFormat::Text;
        else
            return 2;
    }
    if (const auto count = arguments.options.find("--enabled-options");
        count != arguments.options.end()) {
        const auto n = parseWholeNumber(count->second);
        if (!n || *n < 0 || *n > 12) {
            err << "--enabled-options takes a whole number from 0 to 12\n";
            return 2;
        }
        request.enabledOptions = static_cast<int>(*n);
    }
    if (!isShownWindow(request.window)) {
        err << "unknown window: " << request.window << " (see pomuran-cli list)\n";
        return 2;
    }
    auto history = loadSnapshot(arguments);
    if (!history) {
        err << history.error() << '\n';
        return 1;
    }
    out << showWindow(request, history.value());
    return 0;
}

int updateCommand(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (!arguments.positional.empty()) return 2;
    UpdateOptions options;
    options.destination = databaseOf(arguments);
    if (const auto server = arguments.options.find("--server"); server != arguments.options.end())
        options.server = server->second;
    const UpdateResult result = updateDrawDatabase(options);
    (result.outcome == UpdateOutcome::Updated ? out : err) << result.message << '\n';
    return result.outcome == UpdateOutcome::Updated ? 0 : 1;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    const std::string& command = args[0];
    Arguments arguments;
    int status = 2;
    if (command == "import" && parseArguments(args, 1, {"--db"}, arguments))
        status = importCommand(arguments, out, err);
    else if (command == "export" && parseArguments(args, 1, {"--db"}, arguments))
        status = exportCommand(arguments, out, err);
    else if (command == "tables" && parseArguments(args, 1, {"--db", "--csv"}, arguments))
        status = arguments.options.count("--db") && arguments.options.count("--csv")
                     ? 2
                     : tablesCommand(arguments, out, err);
    else if (command == "list" && parseArguments(args, 1, {}, arguments))
        status = listCommand(arguments, out);
    else if (command == "show" &&
             parseArguments(args, 1, {"--db", "--csv", "--enabled-options", "--format"}, arguments))
        status = showCommand(arguments, out, err);
    else if (command == "update" && parseArguments(args, 1, {"--server", "--db"}, arguments))
        status = updateCommand(arguments, out, err);
    if (status == 2) err << kUsage;
    return status;
}
