# Fails when an ELF file needs a library it must not: no GTK, GDK, GLib or
# anything else of the toolkit (only the GTK helper may load those), and,
# where ALLOWED is given, nothing outside that list.
#   cmake -DREADELF=... -DFILE=... [-DALLOWED=a.so,b.so] -P check_needed.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
execute_process(COMMAND ${READELF} -d ${FILE}
                OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${READELF} failed on ${FILE}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]]+\\]" entries "${dynamic}")
set(needed)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE ".*\\[([^]]+)\\]" "\\1" name "${entry}")
  list(APPEND needed "${name}")
endforeach()
get_filename_component(file_name ${FILE} NAME)
foreach(name IN LISTS needed)
  if(name MATCHES "^lib(gtk|gdk|glib|gobject|gio|gmodule|pango|cairo|atk|X11|xcb|wayland)")
    message(FATAL_ERROR "${file_name} needs ${name}; it needs: ${needed}")
  endif()
  if(ALLOWED AND NOT name IN_LIST ALLOWED)
    message(FATAL_ERROR "${file_name} needs ${name}, not in ${ALLOWED}")
  endif()
endforeach()
message(STATUS "${file_name} needs: ${needed}")
