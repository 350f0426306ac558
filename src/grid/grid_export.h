// Text forms of a result grid for the command line: JSON (a stable interface), CSV and text.
#pragma once

#include <string>
#include <string_view>

#include "grid/result_grid.h"

// {"columns": C, "rows": R, "frozen_rows": FR, "frozen_columns": FC, "cells": [...]} listing every
// cell with text, a text colour other than #000000 or a background other than #ffffff.
std::string gridJsonObject(const ResultGrid& grid);
// The same object with "window": NAME first.
std::string gridJson(const ResultGrid& grid, std::string_view windowName);
// One CSV line per grid row, every cell's text (RFC 4180 quoting).
std::string gridCsv(const ResultGrid& grid);
// One line per grid row, cells separated by tabs, trailing empty cells dropped.
std::string gridText(const ResultGrid& grid);

std::string jsonString(std::string_view text);
std::string colorHex(Rgb color);
