# cmake --build build --target uninstall: removes what `cmake --install`
# put in place, as install_manifest.txt lists it, and then the folders of
# the program's own (those named vdwcoex, and the folders under them) once
# they are empty; folders it shares with others (bin, share/man) stay.
if(NOT EXISTS ${MANIFEST})
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is made by cmake --install")
endif()
file(STRINGS ${MANIFEST} installed)
set(folders)
foreach(file IN LISTS installed)
  if(EXISTS ${file} OR IS_SYMLINK ${file})
    message(STATUS "Removing ${file}")
    file(REMOVE ${file})
  endif()
  # The file's folders up to the last one named vdwcoex.
  get_filename_component(folder ${file} DIRECTORY)
  string(FIND ${folder} "/vdwcoex" own REVERSE)
  if(own GREATER -1)
    string(REGEX MATCH "^.*/vdwcoex" top ${folder})
    while(NOT folder STREQUAL top AND folder MATCHES "^${top}/")
      list(APPEND folders ${folder})
      get_filename_component(folder ${folder} DIRECTORY)
    endwhile()
    list(APPEND folders ${top})
  endif()
endforeach()
# The deepest first, so that a folder is empty when its turn comes.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  # What Python compiled from the module's files goes with them.
  file(REMOVE_RECURSE ${folder}/__pycache__)
  file(GLOB left ${folder}/* ${folder}/.*)
  if(IS_DIRECTORY ${folder} AND NOT left)
    message(STATUS "Removing the empty folder ${folder}")
    file(REMOVE_RECURSE ${folder})
  endif()
endforeach()
