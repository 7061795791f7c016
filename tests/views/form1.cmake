# The main window driven through its controls on the offscreen platform:
# the month grid as drawn, the title lines, the marker, the status lines, the
# settings file and start-up.
# Included from tests/CMakeLists.txt.
if(NOT TARGET tovel_ui)
  return()
endif()

find_package(Qt6 REQUIRED COMPONENTS Test)

add_executable(form1_tests ${CMAKE_CURRENT_LIST_DIR}/form1_test.cpp)
target_link_libraries(form1_tests PRIVATE tovel_ui Qt6::Test)
target_compile_definitions(form1_tests PRIVATE
  TOVEL_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
  TOVEL_VIEWS_DIR="${PROJECT_SOURCE_DIR}/views")
set_target_properties(form1_tests PROPERTIES AUTOMOC ON)

add_test(NAME form1_tests COMMAND form1_tests)
set_tests_properties(form1_tests PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  TIMEOUT 300)
