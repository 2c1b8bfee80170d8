# Import libraries that load their DLL when one of its functions is first called, not when the
# program starts: for DLLs that only a few clicks need (the file dialog, the shell, the movie).
# The linker's thunks call LoadLibrary and GetProcAddress on first use (mingw-w64's
# __delayLoadHelper2).
#
# delay_load_library(TARGET DLL FUNCTION@ARGBYTES...) links TARGET against such a library for DLL,
# made with dlltool from the functions listed; a function missing from the list fails the link.
# The stack-argument sizes are the 32-bit stdcall decorations; 64-bit names carry none.
function(delay_load_library target dll)
  set(def "${CMAKE_CURRENT_BINARY_DIR}/delay/${dll}.def")
  set(lib "${CMAKE_CURRENT_BINARY_DIR}/delay/lib${dll}_delay.a")
  # Delay-loaded functions are not in the import table that scripts/check-imports reads: the
  # same rule is applied here.
  file(STRINGS "${PROJECT_SOURCE_DIR}/scripts/newer-than-windows7.txt" newer)
  set(exports "")
  foreach(function ${ARGN})
    string(REGEX REPLACE "@[0-9]+$" "" name "${function}")
    if(name IN_LIST newer)
      message(FATAL_ERROR "${name} is newer than Windows 7: look it up at run time instead")
    endif()
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "@[0-9]+$" "" function "${function}")
    endif()
    string(APPEND exports "  ${function}\n")
  endforeach()
  file(CONFIGURE OUTPUT "${def}" CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}")
  set(kill_at "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at --kill-at)
  endif()
  add_custom_command(OUTPUT "${lib}"
    COMMAND ${CMAKE_DLLTOOL} --input-def "${def}" --dllname ${dll}.dll ${kill_at}
      --output-delaylib "${lib}"
    DEPENDS "${def}"
    COMMENT "Delay-load import library for ${dll}.dll")
  add_custom_target(${dll}_delay DEPENDS "${lib}")
  add_dependencies(${target} ${dll}_delay)
  target_link_libraries(${target} PUBLIC "${lib}")
endfunction()
