#pragma once

#include <map>
#include <string>

// Text index -> text held in the process's ANSI code page, walked in ascending index order.
using TextMap = std::map<int, std::string>;
