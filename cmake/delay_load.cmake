# Windows DLLs that start-up does not call before the title window is painted are loaded
# when first called instead of when the process starts: under Wine, loading WinHTTP, DXGI
# (and the Direct3D stack behind it) and the multimedia DLL up front costs more than
# painting the window, and the common controls (whose start-up loads the visual-styles
# library and its theme) cost nearly as much; the shell library and the controller library
# (with the HID and device-setup libraries behind it) cost a tenth of it. A library loaded
# late can deadlock, under Wine and Proton, with another thread starting the display driver:
# the launcher starts the driver on its UI thread before it starts any other thread.
# For each name, dlltool makes a delay-loading import library from the DLL's exports in
# MinGW's ordinary one, and an imported target of the library's own name stands for it, so
# every target_link_libraries(... dxgi ...) in the tree links it.
# A DLL that cannot be loaded when first called ends the process, as a missing import
# would at start: these are all part of Windows (and of Wine).
function(mf_delay_load_dlls)
  set(folder ${CMAKE_BINARY_DIR}/delay-load)
  file(MAKE_DIRECTORY ${folder})
  foreach(name IN LISTS ARGN)
    find_library(mf_import_library_${name} NAMES ${name} REQUIRED NO_CACHE)
    execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${mf_import_library_${name}}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "[0-9a-fA-F]+ T [A-Za-z0-9_@?]+" functions "${symbols}")
    list(TRANSFORM functions REPLACE "^[0-9a-fA-F]+ T " "  ")
    list(REMOVE_DUPLICATES functions)
    list(JOIN functions "\n" exports)
    # Made again only when the exports changed: dlltool stamps each run with the time, and a
    # new library would relink (and so change) every program at each configure.
    set(definition "LIBRARY ${name}.dll\nEXPORTS\n${exports}\n")
    set(previous "")
    if(EXISTS ${folder}/${name}.def)
      file(READ ${folder}/${name}.def previous)
    endif()
    if(NOT previous STREQUAL definition OR NOT EXISTS ${folder}/lib${name}_delay.a)
      file(WRITE ${folder}/${name}.def "${definition}")
      execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${folder}/${name}.def --dllname ${name}.dll
                              --output-delaylib ${folder}/lib${name}_delay.a
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()
    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${folder}/lib${name}_delay.a)
  endforeach()
endfunction()
