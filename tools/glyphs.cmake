# Generator and checker for the month grid's day-number glyph sheets
# (views/glyphs_*.png). The sheets are committed; rebuild them with
#   QT_QPA_PLATFORM=offscreen make_glyphs <repo>/views
find_package(Qt6 REQUIRED COMPONENTS Gui)

add_executable(make_glyphs ${CMAKE_CURRENT_LIST_DIR}/make_glyphs.cpp)
target_link_libraries(make_glyphs PRIVATE Qt6::Gui)

# The program icon (views/tovel.png), also committed.
add_executable(make_icon ${CMAKE_CURRENT_LIST_DIR}/make_icon.cpp)
target_link_libraries(make_icon PRIVATE Qt6::Gui)
