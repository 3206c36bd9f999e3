# The skin: renders the SVG sources listed in skin/skin.list to PNG at 1x and
# 2x, makes the program icon, and writes the resource script fragment
# skin/SkinResources.rc (in the build tree) that BrivoPM.rc includes.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils), both installed by
# scripts/setup. Sets BRIVO_SKIN_OUTPUTS: every file the fragment names.
find_program(BRIVO_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(BRIVO_ICOTOOL icotool REQUIRED)

set(BRIVO_SKIN_SOURCE_DIR ${CMAKE_SOURCE_DIR}/skin)
set(BRIVO_SKIN_DIR ${CMAKE_BINARY_DIR}/skin)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BRIVO_SKIN_SOURCE_DIR}/skin.list)
file(STRINGS ${BRIVO_SKIN_SOURCE_DIR}/skin.list BRIVO_SKIN_LINES REGEX "^[0-9]")

set(BRIVO_SKIN_OUTPUTS "")
set(BRIVO_SKIN_RC "// Made by cmake/Skin.cmake from skin/skin.list; do not edit.\n")

# One picture at both scales: RCDATA 1000 + number and 2000 + number.
function(brivo_skin_picture number svg name)
  foreach(scale 1 2)
    set(png ${BRIVO_SKIN_DIR}/${scale}x/${name}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${BRIVO_SKIN_DIR}/${scale}x
      COMMAND ${BRIVO_RSVG_CONVERT} --zoom ${scale} --format png --output ${png} ${svg}
      DEPENDS ${svg}
      VERBATIM)
    math(EXPR id "${scale} * 1000 + ${number}")
    set(BRIVO_SKIN_RC "${BRIVO_SKIN_RC}${id} RCDATA \"${png}\"\n")
    list(APPEND BRIVO_SKIN_OUTPUTS ${png})
  endforeach()
  set(BRIVO_SKIN_RC "${BRIVO_SKIN_RC}" PARENT_SCOPE)
  set(BRIVO_SKIN_OUTPUTS "${BRIVO_SKIN_OUTPUTS}" PARENT_SCOPE)
endfunction()

foreach(line ${BRIVO_SKIN_LINES})
  string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
  list(GET fields 0 number)
  list(GET fields 1 source)
  set(svg ${BRIVO_SKIN_SOURCE_DIR}/${source})
  get_filename_component(folder ${source} DIRECTORY)
  get_filename_component(base ${source} NAME)
  string(REGEX REPLACE "\\.svg(\\.in)?$" "" base "${base}")
  if(source MATCHES "\\.svg\\.in$")
    # An animation: one SVG per frame, written from the template while
    # configuring (configure_file keeps unchanged frames untouched).
    list(GET fields 2 frames)
    list(GET fields 3 per_turn)
    math(EXPR last "${frames} - 1")
    foreach(FRAME RANGE ${last})
      # A whole turn is written as 0, so the last frame of a turn equals the first.
      math(EXPR milli "${FRAME} * 360000 / ${per_turn} % 360000")
      math(EXPR whole "${milli} / 1000")
      math(EXPR part "${milli} % 1000 + 1000")
      string(SUBSTRING "${part}" 1 3 part)
      set(ANGLE "${whole}.${part}")
      string(LENGTH "${FRAME}" digits)
      set(padded "${FRAME}")
      if(digits LESS 2)
        set(padded "0${FRAME}")
      endif()
      set(frame_svg ${BRIVO_SKIN_DIR}/frames/${base}-${padded}.svg)
      configure_file(${svg} ${frame_svg} @ONLY)
      math(EXPR frame_number "${number} + ${FRAME}")
      brivo_skin_picture(${frame_number} ${frame_svg} ${folder}-${base}-${padded})
    endforeach()
  else()
    brivo_skin_picture(${number} ${svg} ${folder}-${base})
  endif()
endforeach()

# The program icon: ICON 1, one image per size; 256 is stored as PNG. The
# small sizes have a drawing of their own on the 16 px grid.
set(BRIVO_ICON ${BRIVO_SKIN_DIR}/BrivoPM.ico)
set(BRIVO_ICON_SVG ${BRIVO_SKIN_SOURCE_DIR}/frame/icon.svg)
set(BRIVO_ICON_SMALL_SVG ${BRIVO_SKIN_SOURCE_DIR}/frame/icon-small.svg)
set(icon_commands "")
set(icon_pngs "")
foreach(size 16 24 32 48 256)
  set(png ${BRIVO_SKIN_DIR}/icon/icon-${size}.png)
  set(svg ${BRIVO_ICON_SVG})
  if(size LESS 32)
    set(svg ${BRIVO_ICON_SMALL_SVG})
  endif()
  list(APPEND icon_commands COMMAND ${BRIVO_RSVG_CONVERT} --width ${size} --height ${size}
                            --format png --output ${png} ${svg})
  if(size EQUAL 256)
    list(APPEND icon_pngs --raw=${png})
  else()
    list(APPEND icon_pngs ${png})
  endif()
endforeach()
add_custom_command(
  OUTPUT ${BRIVO_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BRIVO_SKIN_DIR}/icon
  ${icon_commands}
  COMMAND ${BRIVO_ICOTOOL} --create --output=${BRIVO_ICON} ${icon_pngs}
  DEPENDS ${BRIVO_ICON_SVG} ${BRIVO_ICON_SMALL_SVG}
  VERBATIM)
list(APPEND BRIVO_SKIN_OUTPUTS ${BRIVO_ICON})
set(BRIVO_SKIN_RC "${BRIVO_SKIN_RC}1 ICON \"${BRIVO_ICON}\"\n")

# Written only when it changes, so the resources are not rebuilt for nothing.
set(BRIVO_SKIN_RC_FILE ${BRIVO_SKIN_DIR}/SkinResources.rc)
file(CONFIGURE OUTPUT ${BRIVO_SKIN_RC_FILE} CONTENT "${BRIVO_SKIN_RC}" @ONLY)
list(APPEND BRIVO_SKIN_OUTPUTS ${BRIVO_SKIN_RC_FILE})

# Only the pictures, for scripts/skin-sheet.
add_custom_target(brivo_skin DEPENDS ${BRIVO_SKIN_OUTPUTS})
