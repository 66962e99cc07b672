# The sources of the portable core's lowest libraries, listed once. src/base and src/skin build
# their libraries from these lists, and so does the skin maker when it is built on its own for the
# build machine (as the Windows tree does), where there is no src/ tree of targets to link.
set(QUILLET_BASE_SOURCES text.cpp glyph_layout.cpp)
list(TRANSFORM QUILLET_BASE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/base/)

# The skin engine's portable core: archive, INI, elements, bitmaps and the element painter.
set(QUILLET_SKIN_CORE_SOURCES
  bitmap.cpp
  elements.cpp
  lzh.cpp
  menu_layout.cpp
  nc_layout.cpp
  nc_paint.cpp
  painter.cpp
  quick_ini.cpp
  scale.cpp
  scaled_elements.cpp
  skin_data.cpp
  skin_reader.cpp
  text.cpp
  track_bitmaps.cpp)
list(TRANSFORM QUILLET_SKIN_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/skin/)

# Our own skin, drawn from code at any DPI: the skin maker packs it at 96 DPI, the program draws
# it at its windows' DPI.
set(QUILLET_SKIN_ART_SOURCES art/read_artwork.cpp art/skin_art.cpp art/skin_ini.cpp)
list(TRANSFORM QUILLET_SKIN_ART_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/skin/)
