// Fuzzes the CP932 settings file reader on arbitrary file contents, and checks that the text the
// program writes for the options it read gives the same options back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "core/base/cp932.h"
#include "core/prediction/prediction_options.h"

namespace {

// The reader takes a path: one in-memory file, rewritten for every input.
int memoryFile()
{
    static const int fd = ::memfd_create("settings", 0);
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = memoryFile();
    if (fd < 0 || ::ftruncate(fd, 0) != 0) return 0;
    if (::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
    PredictionOptions options;
    ReadInitFile(options, "/proc/self/fd/" + std::to_string(fd));

    PredictionOptions reread;
    applySettingsText(reread, settingsText(options));
    if (!(reread == options)) std::abort();
    const auto bytes = utf8ToCp932(settingsText(options));
    if (!bytes || cp932ToUtf8(*bytes) != settingsText(options)) std::abort();
    return 0;
}
