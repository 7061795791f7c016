target_sources(tovel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/popup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_position.cpp)
