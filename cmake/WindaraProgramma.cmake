# The pieces of the program folder.

# windara_installa_senza_simboli(<path in the program folder>)
# Installed without its symbols, as a distribution's package would be; the build's copy
# keeps them for debugging.
function(windara_installa_senza_simboli RELATIVO)
  install(CODE "set(WINDARA_STRIP \"${CMAKE_STRIP}\")
set(WINDARA_RELATIVO \"${RELATIVO}\")")
  install(CODE [[
    if(WINDARA_STRIP)
      execute_process(COMMAND "${WINDARA_STRIP}" "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${WINDARA_RELATIVO}"
                      RESULT_VARIABLE esito)
      if(NOT esito EQUAL 0)
        message(FATAL_ERROR "${WINDARA_STRIP} ${WINDARA_RELATIVO}: ${esito}")
      endif()
    endif()
  ]])
endfunction()

# windara_add_modulo(NAME <target> SOURCES <files...> LIBS <targets...>)
# A part of the program loaded on first use (src/app/Moduli.h): a shared module in Moduli/
# of the program folder. It holds its own copy of the static libraries it uses and exports
# none of their symbols, so that it neither clashes with the program's copy nor costs the
# loader a symbol table.
function(windara_add_modulo)
  cmake_parse_arguments(M "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${M_NAME} MODULE ${M_SOURCES})
  target_link_libraries(${M_NAME} PRIVATE ${M_LIBS})
  target_link_options(${M_NAME} PRIVATE -Wl,--exclude-libs,ALL)
  set_target_properties(${M_NAME} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${WINDARA_PROGRAM_DIR}/Moduli)
  install(TARGETS ${M_NAME} LIBRARY DESTINATION Moduli)
  windara_installa_senza_simboli(Moduli/$<TARGET_FILE_NAME:${M_NAME}>)
endfunction()
