#pragma once

#include <string>
#include <vector>

namespace vesperon::win32_view {

// The program's arguments as Windows splits its command line, in UTF-8,
// without the program's own name.
std::vector<std::string> CommandLineArguments();

// A program with windows gets no console of its own: started from one
// without its output sent elsewhere, it writes its answers into the console
// it was started from. Output sent to a file or a pipe stays there.
void WriteToStartingConsole();

}  // namespace vesperon::win32_view
