# The hosts a build can hold: the window systems its program runs on. CAPSARO_HOSTS lists those of
# this build; every CMake file that builds host code asks this file, never which system it is on.
#
# The table below is the one place a host is declared:
#   capsaro_host(NAME FOLDERS folder... [BUILDS_ON host...] [TOOLKIT])
# FOLDERS are the names of the folders holding the host's code, in the order they build (a folder
# of that name in any layer: draw2d/<folder>, gui/<folder>, saver/<folder>, draw2d/gl/<folder>,
# tests/...). BUILDS_ON names the hosts whose folders this host's code may include; otherwise a
# host's folder including another host's fails the layering test, which reads this table; a build
# holds the hosts its hosts build on too. A TOOLKIT serves other hosts and has no entry of its own
# (the program never runs "on" it): CAPSARO_HOSTS never names one, the hosts building on it bring it.
set(CAPSARO_KNOWN_HOSTS "")
set(CAPSARO_HOST_TABLE "")
function(capsaro_host name)
  cmake_parse_arguments(ARG "TOOLKIT" "" "FOLDERS;BUILDS_ON" ${ARGN})
  set(CAPSARO_KNOWN_HOSTS ${CAPSARO_KNOWN_HOSTS} ${name} PARENT_SCOPE)
  set(CAPSARO_HOST_${name}_FOLDERS ${ARG_FOLDERS} PARENT_SCOPE)
  set(CAPSARO_HOST_${name}_BUILDS_ON ${ARG_BUILDS_ON} PARENT_SCOPE)
  set(CAPSARO_HOST_${name}_TOOLKIT ${ARG_TOOLKIT} PARENT_SCOPE)
  # One text for the layering test: "host:folder,folder:host,host" entries joined by "|".
  string(REPLACE ";" "," folders "${ARG_FOLDERS}")
  string(REPLACE ";" "," builds_on "${ARG_BUILDS_ON}")
  if(CAPSARO_HOST_TABLE)
    set(CAPSARO_HOST_TABLE "${CAPSARO_HOST_TABLE}|${name}:${folders}:${builds_on}" PARENT_SCOPE)
  else()
    set(CAPSARO_HOST_TABLE "${name}:${folders}:${builds_on}" PARENT_SCOPE)
  endif()
endfunction()

# GTK: the dialog's gadgets on GTK 3, on its X11 or its Wayland backend.
capsaro_host(gtk FOLDERS gtk TOOLKIT)
# X11: Xlib (the presenter, foreign windows, errors), SDL windows and input, and the X server's
# platform services with the host's entry; the dialog through GTK.
capsaro_host(x11 FOLDERS xlib sdl x11 BUILDS_ON gtk)
# Windows: Win32 windows, messages and standard controls, GDI presenting, WGL, and capsaro.scr.
capsaro_host(win32 FOLDERS win32)
# Wayland: layer-shell surfaces on every output, presented from shared memory or through EGL, the
# seat's keyboard and pointer, the desktop's pixels through screencopy.
capsaro_host(wayland FOLDERS wayland BUILDS_ON gtk)

# The hosts of this build: every host named must be in the table above.
if(WIN32)
  set(capsaro_default_hosts win32)
else()
  set(capsaro_default_hosts wayland x11)
endif()
set(CAPSARO_HOSTS "${capsaro_default_hosts}" CACHE STRING "The hosts this build holds (a list: x11, wayland, win32)")
if(NOT CAPSARO_HOSTS)
  message(FATAL_ERROR "CAPSARO_HOSTS is empty: name at least one of ${CAPSARO_KNOWN_HOSTS}")
endif()
# CAPSARO_BUILD_HOSTS: the hosts named and those they build on, each before the hosts building on it.
set(CAPSARO_BUILD_HOSTS "")
foreach(host IN LISTS CAPSARO_HOSTS)
  if(NOT host IN_LIST CAPSARO_KNOWN_HOSTS)
    message(FATAL_ERROR "CAPSARO_HOSTS names '${host}', which is not a host (known: ${CAPSARO_KNOWN_HOSTS})")
  endif()
  if(CAPSARO_HOST_${host}_TOOLKIT)
    message(FATAL_ERROR "CAPSARO_HOSTS names '${host}', a toolkit that the hosts building on it bring")
  endif()
  foreach(base IN LISTS CAPSARO_HOST_${host}_BUILDS_ON)
    list(APPEND CAPSARO_BUILD_HOSTS ${base})
  endforeach()
  list(APPEND CAPSARO_BUILD_HOSTS ${host})
endforeach()
list(REMOVE_DUPLICATES CAPSARO_BUILD_HOSTS)
set(CAPSARO_HOST_FOLDERS "")
foreach(host IN LISTS CAPSARO_BUILD_HOSTS)
  list(APPEND CAPSARO_HOST_FOLDERS ${CAPSARO_HOST_${host}_FOLDERS})
endforeach()
list(REMOVE_DUPLICATES CAPSARO_HOST_FOLDERS)

# capsaro_host_folders(): adds the subfolders of the current folder that belong to this build's
# hosts, in the hosts' order, where the subfolder has a CMakeLists.txt.
macro(capsaro_host_folders)
  foreach(capsaro_folder IN LISTS CAPSARO_HOST_FOLDERS)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${capsaro_folder}/CMakeLists.txt)
      add_subdirectory(${capsaro_folder})
    endif()
  endforeach()
endmacro()
