// pomuran-cli update: brings the database up to date from the update source, as
// "当選データ最新化(&U)" does: a database file replaces the old one, a CSV file is merged.
#include <memory>

#include "cli/commands.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"
#include "core/maintenance/draw_update.h"
#include "core/maintenance/update_source.h"

namespace {

// Adds and replaces the draws of a downloaded CSV file, or refuses it whole.
int mergeDownloadedCsv(const UpdateOptions& options, const std::string& csv, std::ostream& out,
                       std::ostream& err)
{
    auto database = DrawDatabase::open(connectStringForFile(options.destination),
                                       DrawDatabase::Access::ReadWrite);
    if (!database) {
        err << database.error() << '\n';
        return kExitFailure;
    }
    // One writer at a time, from reading what is stored to writing the merge.
    auto lock = DrawDatabaseLock::acquire(database->path());
    if (!lock) {
        err << lock.error() << '\n';
        return kExitFailure;
    }
    auto stored = database->readAllDraws();
    if (!stored) {
        err << stored.error() << '\n';
        return kExitFailure;
    }
    auto storedPrizes = database->readPrizes();
    if (!storedPrizes) {
        err << storedPrizes.error() << '\n';
        return kExitFailure;
    }
    // A source carrying prizes merges them as an import does: amounts it lacks are kept.
    auto import = prepareCsvImport(csv, CsvEncoding::Detect, stored.value(), storedPrizes.value());
    if (!import) {
        err << downloadUrl(options.server) << ": " << import.error() << '\n';
        return kExitFailure;
    }
    if (!import->file.rejected.empty()) {
        for (const CsvRejection& rejection : import->file.rejected)
            err << downloadUrl(options.server) << ": line " << rejection.line << ": "
                << rejection.reason << '\n';
        err << summaryLine(import->summary()) << "; nothing written\n";
        return kExitFailure;
    }
    if (Status written = applyCsvImport(database.value(), import.value(), MergeMode::AddAndReplace);
        !written) {
        err << written.error() << '\n';
        return kExitFailure;
    }
    out << summaryLine(import->summary()) << '\n';
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
                     "source set in the program's 設定)")
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
        // The program's database is made at its first start; the update replaces that one.
        if (Status prepared = prepareDatabaseInUse(options->destination); !prepared) {
            context.err << prepared.error() << '\n';
            return kExitFailure;
        }
        if (options->server.empty()) options->server = loadUpdateSource();
        const UpdateResult result = updateDrawDatabase(*options);
        if (result.outcome == UpdateOutcome::CsvDownloaded)
            return mergeDownloadedCsv(*options, result.csv, context.out, context.err);
        const bool updated = result.outcome == UpdateOutcome::Updated;
        (updated ? context.out : context.err) << result.message << '\n';
        return updated ? kExitSuccess : kExitFailure;
    });
}
