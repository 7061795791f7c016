# Checks on the glyph sheets of the month grid: the committed ones, freshly
# generated ones, and that the checker rejects damaged sheets.
# Include from tests/CMakeLists.txt (after GoogleTest is set up).
if(NOT TARGET make_glyphs)
  return()
endif()

add_executable(glyph_sheet_tests ${CMAKE_CURRENT_LIST_DIR}/glyph_sheet_test.cpp)
target_link_libraries(glyph_sheet_tests PRIVATE Qt6::Gui GTest::gtest)
target_compile_definitions(glyph_sheet_tests PRIVATE
  MAKE_GLYPHS="$<TARGET_FILE:make_glyphs>"
  TOVEL_VIEWS_DIR="${CMAKE_CURRENT_LIST_DIR}/../../views")
add_dependencies(glyph_sheet_tests make_glyphs)
gtest_discover_tests(glyph_sheet_tests DISCOVERY_TIMEOUT 60)
