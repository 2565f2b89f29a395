# The layers of src/: one folder, one library, each linking only the layers below it.
#
# velorine_layer(TARGET) makes TARGET a layer of the folder it is declared in. Its public include
# folder (private for an executable) holds that folder alone, so that "store/…" is found by what
# links velorine_store and by nothing else: a layer that includes one above it does not compile.
# velorine_check_layers() then adds to the default build a check of every source and header the
# layers list: each may include its own folder and the folders of the layers it links, nothing
# else, whether by "folder/…" or by a relative path. A header no source of its own layer compiles
# is caught there, and so is "../".

set(VELORINE_LAYER_CHECK_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake)

function(velorine_layer target)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" folder "${relative}")
  set(include_folder ${CMAKE_BINARY_DIR}/layers/${folder})
  if(NOT EXISTS ${include_folder}/${folder})
    file(MAKE_DIRECTORY ${include_folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${include_folder}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${include_folder})
  else()
    target_include_directories(${target} PUBLIC ${include_folder})
  endif()
  set_target_properties(${target} PROPERTIES VELORINE_LAYER_FOLDER ${folder})
  set_property(GLOBAL APPEND PROPERTY VELORINE_LAYERS ${target})
endfunction()

# The folders TARGET may include: its own and those of the layers it links, directly or not.
function(velorine_layer_reach target out)
  get_target_property(folders ${target} VELORINE_LAYER_FOLDER)
  get_target_property(links ${target} LINK_LIBRARIES)
  foreach(link IN LISTS links)
    if(TARGET ${link})
      get_target_property(link_folder ${link} VELORINE_LAYER_FOLDER)
      if(link_folder)
        velorine_layer_reach(${link} below)
        list(APPEND folders ${below})
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

function(velorine_check_layers)
  get_property(layers GLOBAL PROPERTY VELORINE_LAYERS)
  set(manifest "set(layer_root \"${PROJECT_SOURCE_DIR}/src\")\n")
  set(all_folders)
  set(all_files)
  foreach(target IN LISTS layers)
    get_target_property(folder ${target} VELORINE_LAYER_FOLDER)
    get_target_property(source_dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    velorine_layer_reach(${target} reach)
    set(files)
    foreach(source IN LISTS sources)
      if(source MATCHES "\\.(cpp|h)$")
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} NORMALIZE)
        list(APPEND files ${source})
      endif()
    endforeach()
    list(APPEND all_folders ${folder})
    list(APPEND all_files ${files})
    string(APPEND manifest "list(APPEND layer_targets ${target})\n"
                           "set(layer_${target}_reach ${reach})\n"
                           "set(layer_${target}_files \"${files}\")\n")
  endforeach()
  list(REMOVE_DUPLICATES all_folders)
  string(APPEND manifest "set(layer_folders ${all_folders})\n")
  set(manifest_file ${CMAKE_BINARY_DIR}/layers/manifest.cmake)
  file(WRITE ${manifest_file} "${manifest}")

  set(stamp ${CMAKE_BINARY_DIR}/layers/checked.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest_file} -P ${VELORINE_LAYER_CHECK_SCRIPT}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${all_files} ${manifest_file} ${VELORINE_LAYER_CHECK_SCRIPT}
    COMMENT "Checking that no layer includes one above it"
    VERBATIM)
  add_custom_target(velorine_layer_check ALL DEPENDS ${stamp})
endfunction()
