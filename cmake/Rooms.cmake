# The rooms of the source tree, and the one direction of calls between them.
#
# Every include is written from the root of the tree ("platform/ui/View.h").
# A room's target does not see that root: it sees a view of the tree, made
# here at configure time under ${CMAKE_BINARY_DIR}/rooms/<target>/, that
# holds links to its own folder and to the folders of the rooms below it,
# and nothing else. An include of a higher room's header is then a missing
# file, and the build fails where the wrong include is written.
#
#   kelvaro_room(<target> <folder> [BELOW <room targets>...])
#
# The rooms below are linked too, so the link graph and the include graph
# are one graph. Targets above all rooms (tests, tools, benchmarks) see the
# whole tree instead.
function(kelvaro_room target folder)
  cmake_parse_arguments(R "" "" "BELOW" ${ARGN})
  set(folders ${folder})
  foreach(lower IN LISTS R_BELOW)
    get_target_property(lower_folders ${lower} KELVARO_ROOM_FOLDERS)
    if(NOT lower_folders)
      message(FATAL_ERROR "kelvaro_room(${target}): ${lower} is not a room; declare it first")
    endif()
    list(APPEND folders ${lower_folders})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  list(SORT folders)
  set_target_properties(${target} PROPERTIES KELVARO_ROOM_FOLDERS "${folders}")
  kelvaro_room_view(${target} ${folders})
  target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/rooms/${target})
  if(R_BELOW)
    target_link_libraries(${target} PUBLIC ${R_BELOW})
  endif()
endfunction()

# The view itself: ${CMAKE_BINARY_DIR}/rooms/<name>/<folder> links to each
# folder of the source tree.
function(kelvaro_room_view name)
  set(view ${CMAKE_BINARY_DIR}/rooms/${name})
  file(REMOVE_RECURSE ${view})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${view}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
  endforeach()
endfunction()

# A probe: one source compiled as if it were in the room of `room`, built
# only when asked for (by the tests in kelvaro_room_probe_test).
function(kelvaro_room_probe target room source)
  add_library(${target} OBJECT EXCLUDE_FROM_ALL ${source})
  target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/rooms/${room})
  # Qt's headers only: the probe builds nothing of the room itself.
  target_link_libraries(${target} PRIVATE Qt6::Widgets)
endfunction()

# A test that builds a probe. EXPECT is "compiles" or "misses"; a probe that
# must miss must miss for the header it names, not for another fault.
function(kelvaro_room_probe_test name target expect header)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DTARGET=${target} -DEXPECT=${expect} -DHEADER=${header}
            -P ${CMAKE_SOURCE_DIR}/cmake/RoomProbe.cmake)
  # One build at a time in a build tree.
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK kelvaro_build_tree TIMEOUT 300)
endfunction()
