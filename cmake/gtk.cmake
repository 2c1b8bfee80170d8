# The GTK 3 front end and the Linux program: artwork compiled in as a GResource, the read-me
# beside the program in UTF-8 with LF line ends.
enable_language(C)
find_package(PkgConfig REQUIRED)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
find_program(GLIB_COMPILE_RESOURCES glib-compile-resources REQUIRED)
# Decodes the artwork at build time (to-pixdata in the resource list).
find_program(GDK_PIXBUF_PIXDATA gdk-pixbuf-pixdata REQUIRED)

set(assets ${CMAKE_CURRENT_SOURCE_DIR}/assets)
set(resource_xml ${assets}/skirmishcfg.gresource.xml)
set(resource_c ${CMAKE_CURRENT_BINARY_DIR}/skirmishcfg_resources.c)
execute_process(
  COMMAND ${GLIB_COMPILE_RESOURCES} --sourcedir=${assets} --generate-dependencies ${resource_xml}
  OUTPUT_VARIABLE resource_files OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "\n" ";" resource_files "${resource_files}")
add_custom_command(
  OUTPUT ${resource_c}
  COMMAND ${CMAKE_COMMAND} -E env GDK_PIXBUF_PIXDATA=${GDK_PIXBUF_PIXDATA}
    ${GLIB_COMPILE_RESOURCES} --sourcedir=${assets} --target=${resource_c}
    --generate-source --manual-register --c-name skirmishcfg ${resource_xml}
  DEPENDS ${resource_xml} ${resource_files}
  COMMENT "Compiling the artwork into a GResource")
# Generated code: not ours to hold to our warnings.
set_source_files_properties(${resource_c} PROPERTIES COMPILE_OPTIONS "-w")

add_library(skirmish_gtk STATIC
  platform/gtk/gtk_desktop.cpp
  platform/gtk/table_layout.cpp
  platform/gtk/controls.cpp
  platform/gtk/caption_label.cpp
  platform/gtk/art.cpp
  platform/gtk/display.cpp
  platform/gtk/movie_strip.cpp
  ${resource_c}
)
target_link_libraries(skirmish_gtk PUBLIC skirmish_native skirmish_movie PkgConfig::GTK3)

add_executable(skirmishcfg platform/gtk/main.cpp)
target_link_libraries(skirmishcfg PRIVATE skirmish_gtk)
# Release builds are stripped: the program is what players download. The C++ runtime is linked in,
# as in the Windows program: only the few pages the program uses are loaded, where the shared
# library costs about 1 MB resident and its symbol look-ups at every start, and the program runs
# whatever C++ runtime the player's system has.
set(SKIRMISHCFG_GTK_RELEASE_LINK
  $<$<CONFIG:Release,MinSizeRel>:-s> $<$<CONFIG:Release,MinSizeRel>:-static-libstdc++>
  $<$<CONFIG:Release,MinSizeRel>:-static-libgcc>)
target_link_options(skirmishcfg PRIVATE ${SKIRMISHCFG_GTK_RELEASE_LINK})

# The read-me beside the Linux program: its own text, in UTF-8 with LF, made from the same source
# as the Windows one.
set(readme ${CMAKE_CURRENT_BINARY_DIR}/readme.txt)
add_custom_command(
  OUTPUT ${readme}
  COMMAND ${CMAKE_COMMAND} -E copy ${assets}/readme-linux.txt ${readme}
  DEPENDS ${assets}/readme-linux.txt)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/tessel.swf
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${assets}/tessel.swf ${CMAKE_CURRENT_BINARY_DIR}
  DEPENDS ${assets}/tessel.swf)
add_custom_target(skirmishcfg_files ALL
  DEPENDS ${readme} ${CMAKE_CURRENT_BINARY_DIR}/tessel.swf)
add_dependencies(skirmishcfg skirmishcfg_files)
