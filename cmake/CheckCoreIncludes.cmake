cmake_minimum_required(VERSION 3.25)
# Fails when a core source includes a header that is not the C++ standard
# library's, or one of the program's own headers from a toolkit or platform
# folder (qt/, win32/, platform/, at any depth): the core must build on any
# platform without Qt or OS headers, and knows no front end.
set(allowed
  algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono cinttypes
  climits cmath compare concepts cstddef cstdint cstdio cstdlib cstring ctime deque exception
  format functional initializer_list iomanip ios iosfwd iostream istream iterator limits list map
  memory numeric optional ostream queue random ranges ratio set span sstream stack stdexcept
  string string_view system_error tuple type_traits typeinfo unordered_map unordered_set utility
  variant vector)
string(REPLACE "|" ";" files "${SOURCES}")
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "No core sources to check")
endif()
set(bad "")
foreach(f IN LISTS files)
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>.*$" "\\1" header "${line}")
    if(NOT header IN_LIST allowed)
      string(APPEND bad "  ${f}: <${header}>\n")
    endif()
  endforeach()
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
    if(header MATCHES "(^|/)(qt|win32|platform)/")
      string(APPEND bad "  ${f}: \"${header}\"\n")
    endif()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "The core may include only standard C++ headers and core headers:\n${bad}")
endif()
