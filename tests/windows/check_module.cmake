cmake_minimum_required(VERSION 3.25)
# Checks the Windows plug-in module as it ships:
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DWINDRES=x86_64-w64-mingw32-windres
#         -DMODULE=Quibo.fmx64 -P check_module.cmake
# - a 64-bit PE DLL whose one export is FMExternCallProc;
# - importing only DLLs that every Windows has, and the host library (so the C++ runtime, libgcc
#   and winpthread are linked in);
# - carrying the string table (1, 2, 101 to 115, 117 to 124) and the version record 1.2.0.1.
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed")
endif()
string(REPLACE "\n" ";" lines "${headers}")

if(NOT headers MATCHES "file format pei-x86-64")
  message(FATAL_ERROR "not a 64-bit PE file")
endif()

set(is_dll FALSE)
set(exports "")
set(imports "")
set(in_export_names FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]+DLL$")
    set(is_dll TRUE)
  elseif(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
    set(in_export_names TRUE)
  elseif(in_export_names AND line MATCHES "^[ \t]+\\[ *[0-9]+\\] (.+)$")
    list(APPEND exports "${CMAKE_MATCH_1}")
  elseif(in_export_names)
    set(in_export_names FALSE)
  endif()
  if(line MATCHES "DLL Name: (.+)$")
    list(APPEND imports "${CMAKE_MATCH_1}")
  endif()
endforeach()

if(NOT is_dll)
  message(FATAL_ERROR "not a DLL")
endif()
if(NOT exports STREQUAL "FMExternCallProc")
  message(FATAL_ERROR "exports are '${exports}', not FMExternCallProc alone")
endif()
set(allowed KERNEL32.dll USER32.dll WS2_32.dll msvcrt.dll ADVAPI32.dll FMWrapper.dll)
foreach(dll IN LISTS imports)
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "imports ${dll}, which is neither a Windows DLL nor the host library")
  endif()
  message(STATUS "imports ${dll}")
endforeach()

execute_process(COMMAND ${WINDRES} -J coff -O rc -i ${MODULE} OUTPUT_VARIABLE resources
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${WINDRES} cannot read the resources of ${MODULE}")
endif()
if(NOT resources MATCHES "FILEVERSION 1, 2, 0, 1\n")
  message(FATAL_ERROR "no version record with file version 1.2.0.1")
endif()
string(REGEX MATCHALL "\n  [0-9]+, L?\"" entries "${resources}")
string(REGEX REPLACE "[^0-9;]" "" ids "${entries}")
set(expected 1 2 101 102 103 104 105 106 107 108 109 110 111 112 113 114 115 117 118 119 120 121
    122 123 124)
if(NOT ids STREQUAL expected)
  message(FATAL_ERROR "the string table holds '${ids}'")
endif()
