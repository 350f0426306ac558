#include "core/base/program_folder.h"

#include <filesystem>
#include <system_error>

std::string programFolder()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return executable.parent_path().string();
}
