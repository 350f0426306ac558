// pomuran-cli export: prints the draw history of a database as CSV (UTF-8, or CP932 for
// spreadsheet programs that expect it), with --prizes also the prizes stored beside the draws.
#include <memory>

#include "cli/commands.h"
#include "core/base/cp932.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"

namespace {

struct ExportArguments {
    std::string database;
    std::string encoding = "utf-8";
    bool prizes = false;
};

int exportDraws(const ExportArguments& arguments, std::ostream& out, std::ostream& err)
{
    if (Status prepared = prepareDatabaseInUse(arguments.database); !prepared) {
        err << prepared.error() << '\n';
        return kExitFailure;
    }
    auto opened = DrawDatabase::open(connectStringForFile(arguments.database));
    if (!opened) {
        err << opened.error() << '\n';
        return kExitFailure;
    }
    auto rows = opened->readAllDraws();
    if (!rows) {
        err << rows.error() << '\n';
        return kExitFailure;
    }
    std::string text;
    if (arguments.prizes) {
        auto prizes = opened->readPrizes();
        if (!prizes) {
            err << prizes.error() << '\n';
            return kExitFailure;
        }
        text = drawCsv(rows.value(), prizes.value());
    } else {
        text = drawCsv(rows.value());
    }
    if (arguments.encoding == "cp932") {
        const auto converted = utf8ToCp932(text);
        if (!converted) {
            err << arguments.database << ": CP932 で書けない文字を含む当選データがあります。\n";
            return kExitFailure;
        }
        out << *converted;
    } else {
        out << text;
    }
    return kExitSuccess;
}

}  // namespace

void addExportCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ExportArguments>();
    CLI::App* command = app.add_subcommand("export", "print the draw history as CSV");
    addDatabaseOption(command, arguments->database);
    command->add_option("--encoding", arguments->encoding, "the output's encoding")
        ->check(CLI::IsMember({"utf-8", "cp932"}))
        ->option_text("utf-8|cp932")
        ->capture_default_str();
    command->add_flag("--prizes", arguments->prizes,
                      "add the prize columns (1等口数, 1等賞金 … 4等賞金, キャリーオーバー)");
    setCommandAction(command, context, [arguments, &context] {
        return exportDraws(*arguments, context.out, context.err);
    });
}
