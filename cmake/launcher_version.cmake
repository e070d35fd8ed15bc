# The launcher's version is written in one place, the project version in the top
# CMakeLists.txt; version.h, the VERSIONINFO record and the manifest (resources/) are made
# from the variables set here, and the end-to-end update test builds the release after it.
# -DMF_VERSION=X.Y.Z (or X.Y.Z.W) builds another version from the same tree: the release
# command takes it, and the end-to-end update test builds the next release that way.
set(MF_VERSION "" CACHE STRING "Version to build instead of the project version (X.Y.Z or X.Y.Z.W)")
if(MF_VERSION)
  set(mf_version "${MF_VERSION}")
else()
  set(mf_version "${PROJECT_VERSION}")
endif()
if(NOT mf_version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)(\\.([0-9]+))?$")
  message(FATAL_ERROR "MF_VERSION must be three or four dotted numbers, such as 2.0.12 (got '${mf_version}')")
endif()
set(MF_VERSION_MAJOR ${CMAKE_MATCH_1})
set(MF_VERSION_MINOR ${CMAKE_MATCH_2})
set(MF_VERSION_PATCH ${CMAKE_MATCH_3})
set(MF_VERSION_TWEAK 0)
if(CMAKE_MATCH_5)
  set(MF_VERSION_TWEAK ${CMAKE_MATCH_5})
endif()
foreach(number ${MF_VERSION_MAJOR} ${MF_VERSION_MINOR} ${MF_VERSION_PATCH} ${MF_VERSION_TWEAK})
  # VERSIONINFO and the manifest hold each number in 16 bits.
  if(number GREATER 65535)
    message(FATAL_ERROR "MF_VERSION: ${number} does not fit a Windows version number (at most 65535)")
  endif()
endforeach()
# Without leading zeros, as the numbers are read: 2.01.3 is built as 2.1.3.
math(EXPR MF_VERSION_MAJOR "${MF_VERSION_MAJOR}")
math(EXPR MF_VERSION_MINOR "${MF_VERSION_MINOR}")
math(EXPR MF_VERSION_PATCH "${MF_VERSION_PATCH}")
math(EXPR MF_VERSION_TWEAK "${MF_VERSION_TWEAK}")
set(MF_VERSION "${MF_VERSION_MAJOR}.${MF_VERSION_MINOR}.${MF_VERSION_PATCH}")
if(CMAKE_MATCH_5)
  set(MF_VERSION "${MF_VERSION}.${MF_VERSION_TWEAK}")
endif()
set(MF_VERSION_FOUR "${MF_VERSION_MAJOR}.${MF_VERSION_MINOR}.${MF_VERSION_PATCH}.${MF_VERSION_TWEAK}")
# The version after this one (patch number + 1): what the end-to-end update test updates to.
math(EXPR next_patch "${MF_VERSION_PATCH} + 1")
set(MF_NEXT_VERSION "${MF_VERSION_MAJOR}.${MF_VERSION_MINOR}.${next_patch}")
message(STATUS "PlayMirefall version ${MF_VERSION}")
