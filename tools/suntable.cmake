# The sunset-table tool: makes a .sun table for any town and checks tables.
# It needs Qt's time-zone support (Qt6::Core) but no display.
find_package(Qt6 REQUIRED COMPONENTS Core)

# The zone lookup on its own, so that benchmarks can make tables too.
add_library(tovel_suntable_zone STATIC ${CMAKE_CURRENT_LIST_DIR}/suntable/zone_offset.cpp)
target_link_libraries(tovel_suntable_zone PUBLIC tovel_core Qt6::Core)

add_executable(tovel-suntable ${CMAKE_CURRENT_LIST_DIR}/suntable/main.cpp)
target_link_libraries(tovel-suntable PRIVATE tovel_suntable_zone)

# The shipped tables, one line each in sun_tables.txt. Rebuild them into data/ with
#   cmake --build build --target sun_tables
set(TOVEL_SUN_TABLE_LIST ${CMAKE_CURRENT_LIST_DIR}/sun_tables.txt CACHE INTERNAL "The shipped sunset tables")
add_custom_target(sun_tables
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:tovel-suntable> -DLIST=${TOVEL_SUN_TABLE_LIST}
          -DOUT_DIR=${PROJECT_SOURCE_DIR}/data -P ${CMAKE_CURRENT_LIST_DIR}/sun_tables.cmake
  DEPENDS tovel-suntable
  COMMENT "Making the shipped sunset tables in data/"
  VERBATIM)
