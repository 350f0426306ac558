// pomuran-cli update: brings the database up to date from the update source, as
// "当選データ最新化(&U)" does: a database file replaces the old one, a CSV file is merged.
#include <memory>

#include "cli/commands.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_merge.h"
#include "core/draws/import_draws.h"
#include "core/maintenance/draw_update.h"
#include "core/maintenance/update_source.h"

namespace {

// Adds and replaces the draws of a downloaded CSV file, or refuses it whole.
int mergeDownloadedCsv(const UpdateOptions& options, const std::string& csv, std::ostream& out,
                       std::ostream& err)
{
    const std::string source = downloadUrl(options.server);
    auto read = readDrawCsv(csv, CsvValues::StrictNumbers, CsvEncoding::Detect);
    if (!read) {
        err << source << ": " << read.error() << '\n';
        return kExitFailure;
    }
    if (!read->rejected.empty()) {
        for (const CsvRejection& rejection : read->rejected)
            err << source << ": line " << rejection.line << ": " << rejection.reason << '\n';
        MergeSummary summary;
        summary.rejected = static_cast<int>(read->rejected.size());
        err << summaryLine(summary) << "; nothing written\n";
        return kExitFailure;
    }
    for (const CsvRejection& warning : read->prizeWarnings)
        err << source << ": line " << warning.line << ": " << warning.reason << '\n';
    auto imported = importDraws(connectStringForFile(options.destination), std::move(read.value()),
                                MergeMode::AddAndReplace);
    if (!imported) {
        err << imported.error() << '\n';
        return kExitFailure;
    }
    out << summaryLine(imported->summary) << '\n';
    return kExitSuccess;
}

}  // namespace

void addUpdateCommand(CLI::App& app, CliContext& context)
{
    auto options = std::make_shared<UpdateOptions>();
    options->server.clear();
    auto keepMissing = std::make_shared<bool>(false);
    auto dropMissing = std::make_shared<bool>(false);
    CLI::App* command = app.add_subcommand(
        "update",
        "bring the database up to date from the update source (a database or a CSV file)");
    command
        ->add_option("--server", options->server,
                     "download server, or the address of a .mdb or .csv file (default: the "
                     "source set in the program's 設定; there is none until one is set)")
        ->option_text("URL");
    addDatabaseOption(command, options->destination);
    CLI::Option* keep = command->add_flag(
        "--keep-missing", *keepMissing,
        "when the downloaded database lacks stored draws, keep them (merge the download in)");
    command
        ->add_flag("--drop-missing", *dropMissing,
                   "when the downloaded database lacks stored draws, let it replace them")
        ->excludes(keep);
    setCommandAction(command, context, [options, keepMissing, dropMissing, &context] {
        // Stored draws the download lacks are never dropped without the player saying so.
        options->missingDraws = [&context, keepMissing, dropMissing](const CsvImport& preview) {
            if (*keepMissing) return MissingDrawsChoice::Keep;
            if (*dropMissing) return MissingDrawsChoice::Replace;
            context.err << "the downloaded database lacks " << preview.plan.onlyStored.size()
                        << " stored rows (draws";
            std::size_t shown = 0;
            for (const DrawRow& row : preview.plan.onlyStored) {
                if (++shown > 20) {
                    context.err << " …";
                    break;
                }
                context.err << ' ' << rawText(row.drawNo);
            }
            context.err << "); run again with --keep-missing or --drop-missing\n";
            return MissingDrawsChoice::Cancel;
        };
        if (options->server.empty()) options->server = loadUpdateSource();
        // Nothing to fetch from: say what to pass (and show the usage), before touching any
        // file.
        if (options->server.empty()) {
            context.err << noUpdateSourceMessage()
                        << "\n--server "
                           "で指定するか、ポムランの「データ管理」→「設定」で設定してください。\n";
            return kExitUsage;
        }
        // The program's database is made at its first start; the update replaces that one.
        if (Status prepared = prepareDatabaseInUse(options->destination); !prepared) {
            context.err << prepared.error() << '\n';
            return kExitFailure;
        }
        const UpdateResult result = updateDrawDatabase(*options);
        if (result.outcome == UpdateOutcome::CsvDownloaded)
            return mergeDownloadedCsv(*options, result.csv, context.out, context.err);
        const bool updated = result.outcome == UpdateOutcome::Updated;
        (updated ? context.out : context.err) << result.message << '\n';
        return updated ? kExitSuccess : kExitFailure;
    });
}
