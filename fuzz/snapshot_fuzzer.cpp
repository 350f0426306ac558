// Fuzzes the start-up snapshot reader on damaged draw database files: the input is the whole
// file. Whatever the bytes, reading ends in rows or an error message, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path =
        "/tmp/pomuran-snapshot-fuzz-" + std::to_string(::getpid()) + ".mdb";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    auto history = loadDrawHistory(connectStringForFile(path));
    if (!history && history.error().empty()) std::abort();  // every failure says why
    ::unlink(path.c_str());
    return 0;
}
