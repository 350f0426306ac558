// The folder of the running executable, found from the executable's own path.
#pragma once

#include <string>

// The folder holding the running executable, without a trailing separator; empty if unknown.
std::string programFolder();
