# Fails when a source includes a header of a layer above its own. Layers,
# highest first; each may use only those after it.
set(layers app setup about envreport/report_driver "envreport/cpu|envreport/os|envreport/devices|envreport/other_info_section"
    envreport common res)

# The rank of a path (relative to the source folder), or -1 for none.
function(layer_rank path out)
  set(rank 0)
  foreach(layer IN LISTS layers)
    string(REPLACE "|" ";" prefixes "${layer}")
    foreach(prefix IN LISTS prefixes)
      if(path MATCHES "^${prefix}(/|\\.|_|$)")
        set(${out} ${rank} PARENT_SCOPE)
        return()
      endif()
    endforeach()
    math(EXPR rank "${rank} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/setup/*.cpp ${SOURCE_DIR}/setup/*.h
  ${SOURCE_DIR}/about/*.cpp ${SOURCE_DIR}/about/*.h ${SOURCE_DIR}/envreport/*.cpp ${SOURCE_DIR}/envreport/*.h
  ${SOURCE_DIR}/common/*.cpp ${SOURCE_DIR}/common/*.h)
set(faults "")
foreach(source IN LISTS sources)
  layer_rank(${source} own)
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
    layer_rank(${header} used)
    if(used GREATER_EQUAL 0 AND used LESS own)
      string(APPEND faults "\n  ${source} includes ${header}")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes that run up the layers:${faults}")
endif()
