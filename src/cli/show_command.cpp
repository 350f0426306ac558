// pomuran-cli show: prints what a window shows.
#include <map>
#include <memory>

#include "cli/commands.h"
#include "cli/show_file.h"
#include "cli/show_window.h"
#include "core/draws/data_locations.h"

namespace {

struct ShowArguments {
    HistorySource source;
    ShowRequest request;
    std::string output;  // a file instead of standard output
};

int show(const ShowArguments& arguments, std::ostream& out, std::ostream& err)
{
    if (!isShownWindow(arguments.request.window)) {
        err << "unknown window: " << arguments.request.window << " (see pomuran-cli list)\n";
        return kExitUsage;
    }
    const ShowFormat format = arguments.request.format;
    if (arguments.output.empty() &&
        (format == ShowFormat::Pdf || format == ShowFormat::Xlsx || format == ShowFormat::Png)) {
        err << "--format pdf, xlsx and png need --output FILE\n";
        return kExitUsage;
    }
    auto history = loadHistory(arguments.source);
    if (!history) {
        err << history.error() << '\n';
        return kExitFailure;
    }
    if (!arguments.output.empty()) {
        const Status saved = saveShownWindow(arguments.request, history.value(), arguments.output);
        if (!saved) {
            err << saved.error() << '\n';
            return kExitFailure;
        }
        return kExitSuccess;
    }
    showWindow(out, arguments.request, history.value());
    return kExitSuccess;
}

}  // namespace

void addShowCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ShowArguments>();
    CLI::App* command = app.add_subcommand("show", "print what a window shows");
    command->add_option("WINDOW", arguments->request.window, "a window name (see list)")
        ->required();
    addHistorySourceOptions(command, arguments->source);
    arguments->request.settingsFile = currentDataLocations().settingsFile;
    command
        ->add_option("--enabled-options", arguments->request.enabledOptions,
                     "prediction options in force, 0 to 12 (default: from the ポムラン.ini in use)")
        ->check(CLI::Range(0, 12))
        ->option_text("N");
    const std::map<std::string, ShowFormat> formats{
        {"json", ShowFormat::Json}, {"csv", ShowFormat::Csv},   {"text", ShowFormat::Text},
        {"pdf", ShowFormat::Pdf},   {"xlsx", ShowFormat::Xlsx}, {"png", ShowFormat::Png}};
    command->add_option("--format", arguments->request.format, "output format (default: json)")
        ->transform(CLI::CheckedTransformer(formats))
        ->option_text("json|csv|text|pdf|xlsx|png");
    command
        ->add_option("--output", arguments->output,
                     "write to FILE instead of standard output (csv: UTF-8 with BOM)")
        ->option_text("FILE");
    setCommandAction(command, context,
                     [arguments, &context] { return show(*arguments, context.out, context.err); });
}
