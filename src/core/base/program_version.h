// The program's version, taken from the build.
#pragma once

#include <string>

// "2.30": the project's version as the build gives it.
const char* programVersion();
