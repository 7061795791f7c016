# Sunset tables: the solar arithmetic, the table maker and checker, the
# shipped tables, and the tovel-suntable program.
add_executable(sunset_tests
  ${CMAKE_CURRENT_LIST_DIR}/solar_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/name_encoding_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sun_table_maker_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sun_table_check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shipped_tables_test.cpp
)
target_link_libraries(sunset_tests PRIVATE tovel_core GTest::gtest_main)
target_compile_definitions(sunset_tests PRIVATE
  TOVEL_DATA_DIR="${PROJECT_SOURCE_DIR}/data" TOVEL_SUN_TABLE_LIST="${TOVEL_SUN_TABLE_LIST}")
gtest_discover_tests(sunset_tests DISCOVERY_TIMEOUT 60)

add_executable(suntable_tool_tests ${CMAKE_CURRENT_LIST_DIR}/suntable_tool_test.cpp)
target_link_libraries(suntable_tool_tests PRIVATE tovel_core GTest::gtest_main)
target_compile_definitions(suntable_tool_tests PRIVATE
  TOVEL_DATA_DIR="${PROJECT_SOURCE_DIR}/data" TOVEL_SUNTABLE="$<TARGET_FILE:tovel-suntable>")
add_dependencies(suntable_tool_tests tovel-suntable)
gtest_discover_tests(suntable_tool_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)

# Each shipped table is exactly what the tool makes from its line in the list.
file(STRINGS ${TOVEL_SUN_TABLE_LIST} sun_table_entries REGEX "^[^#]")
foreach(entry IN LISTS sun_table_entries)
  string(REGEX MATCH "^[^|]+" sun_table_file "${entry}")
  add_test(NAME sun_table_matches_tool_${sun_table_file}
    COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:tovel-suntable> -DLIST=${TOVEL_SUN_TABLE_LIST}
            -DONLY=${sun_table_file} -DOUT_DIR=${CMAKE_CURRENT_BINARY_DIR}/sun_generated
            -DEXPECTED_DIR=${PROJECT_SOURCE_DIR}/data -P ${PROJECT_SOURCE_DIR}/tools/sun_tables.cmake)
endforeach()
