# The program icon for Windows: packaging/tarvelo.svg rendered by
# rsvg-convert in the sizes Windows shows and packed by icotool (icoutils)
# into tarvelo.ico, which the executable's resources carry (IDI_ICON1, the
# name Qt gives its windows) and the installer uses.
find_program(TARVELO_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(TARVELO_ICOTOOL icotool REQUIRED)

function(tarvelo_windows_icon target)
  set(svg ${PROJECT_SOURCE_DIR}/packaging/tarvelo.svg)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/icon)
  set(ico ${CMAKE_CURRENT_BINARY_DIR}/tarvelo.ico)
  set(render_commands COMMAND ${CMAKE_COMMAND} -E make_directory ${dir})
  set(pngs)
  foreach(size 16 24 32 48 64 128)
    list(APPEND render_commands
      COMMAND ${TARVELO_RSVG_CONVERT} -w ${size} -h ${size} ${svg} -o ${dir}/${size}.png)
    list(APPEND pngs ${dir}/${size}.png)
  endforeach()
  # 256 px stored as PNG inside the icon, as Windows expects for that size.
  list(APPEND render_commands
    COMMAND ${TARVELO_RSVG_CONVERT} -w 256 -h 256 ${svg} -o ${dir}/256.png)
  add_custom_command(OUTPUT ${ico}
    ${render_commands}
    COMMAND ${TARVELO_ICOTOOL} -c -o ${ico} ${pngs} -r ${dir}/256.png
    DEPENDS ${svg} VERBATIM)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/tarvelo_icon.rc)
  file(WRITE ${rc} "IDI_ICON1 ICON \"${ico}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ico})
  target_sources(${target} PRIVATE ${rc} ${ico})
endfunction()
