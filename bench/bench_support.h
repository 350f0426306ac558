// Inputs shared by the benchmarks: the real history and generated long histories.
#pragma once

#include <string>

#include "core/draws/draw_history.h"

// The real history from the shared CSV (empty when absent).
DrawHistory realHistory();
// Draws 1..count, all complete, random but repeatable numbers.
DrawHistory generatedHistory(int count);
// A database file holding generatedHistory(count), made once per process in a temporary folder.
std::string generatedDatabase(int count);
// The database the build made beside the executables.
std::string shippedDatabase();
