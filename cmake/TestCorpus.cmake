# Finds the test data that comes from outside the project (the BMP suite
# under bmpsuite/), kept in the shared folder beside the checkout. A clone
# made elsewhere looks beside the checkout it was cloned from; the cache
# variable VESPERON_CORPUS_DIR names the folder outright. Sets
# VESPERON_CORPUS to the folder, or to nothing when there is none, and the
# tests that read it then say they were skipped.
set(VESPERON_CORPUS_DIR "" CACHE PATH "Test data from outside the project (holds bmpsuite/)")
set(VESPERON_CORPUS "")
set(candidates ${VESPERON_CORPUS_DIR} "${CMAKE_SOURCE_DIR}/../shared/corpus")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} config --get remote.origin.url
    OUTPUT_VARIABLE origin OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(origin AND IS_DIRECTORY "${origin}")
    list(APPEND candidates "${origin}/../shared/corpus")
  endif()
endif()
foreach(candidate IN LISTS candidates)
  if(IS_DIRECTORY "${candidate}/bmpsuite")
    get_filename_component(VESPERON_CORPUS "${candidate}" REALPATH)
    break()
  endif()
endforeach()
if(NOT VESPERON_CORPUS)
  message(WARNING "No BMP suite found (looked in: ${candidates}); "
                  "the picture readers' tests against it will be skipped")
endif()
