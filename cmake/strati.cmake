# The layers of the program and the include paths each may use: a source
# that includes a project header outside its list stops the build.  Run at
# configure time (include()) and as a test (cmake -DSORGENTI=... -P).
#
# A layer is a folder with its sub-folders, less those that are layers of
# their own; its list holds path prefixes ("selection/unita/" is that folder
# only, "platform/testo_numero.h" that header only).
#
#   engine     standard library only
#   platform   itself (the layer over Qt, SQLite and mdbtools); the Access
#              reader, a process of its own, no Qt and one header of it
#   core, catalogue: no window
#   selection  no main window or dialogs (ui/ reaches it through callbacks)
#   selection/unita  the rating unit: no window and no Qt, only the engine
#              and the catalogue's data
#   report     reached from selection through a callback as well; it reads a
#              selection window by its controls' names, never its class
#   bench      the program's code and the tools' helpers, never a test's
set(STRATI_CONSENTITI
  "engine:engine/"
  "platform:platform/"
  "platform/lettore_access:platform/lettore_access/,platform/testo_numero.h"
  "core:core/,platform/,engine/"
  "catalogue:catalogue/,core/,platform/,engine/"
  "selection:selection/,catalogue/,core/,platform/,engine/"
  "selection/unita:selection/unita/,catalogue/,engine/"
  "report:report/,catalogue/,core/,platform/,engine/"
  "ui:ui/,report/,selection/,catalogue/,core/,platform/,engine/"
  "bench:bench/,tools/,app/,ui/,report/,selection/,catalogue/,core/,platform/,engine/")
# Layers whose sources include no Qt header.
set(STRATI_SENZA_QT engine selection/unita platform/lettore_access)
set(STRATI_CARTELLE_PROGETTO app bench catalogue cmake core data engine platform report scripts selection tests tools ui)

function(controlla_strati radice)
  set(errori "")
  set(strati "")
  foreach(voce ${STRATI_CONSENTITI})
    string(REGEX REPLACE ":.*" "" strato "${voce}")
    list(APPEND strati ${strato})
  endforeach()
  foreach(voce ${STRATI_CONSENTITI})
    string(REPLACE ":" ";" parti "${voce}")
    list(GET parti 0 strato)
    list(GET parti 1 consentiti)
    string(REPLACE "," ";" consentiti "${consentiti}")
    file(GLOB_RECURSE sorgenti ${radice}/${strato}/*.cpp ${radice}/${strato}/*.h)
    foreach(f ${sorgenti})
      file(RELATIVE_PATH relativo ${radice} ${f})
      # A file of a sub-folder that is a layer of its own is checked there.
      set(proprio TRUE)
      foreach(altro ${strati})
        string(LENGTH "${altro}" la)
        string(LENGTH "${strato}" ls)
        if(la GREATER ls AND relativo MATCHES "^${altro}/")
          set(proprio FALSE)
        endif()
      endforeach()
      if(NOT proprio)
        continue()
      endif()
      file(STRINGS ${f} righe REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
      foreach(riga ${righe})
        if(riga MATCHES "#[ \t]*include[ \t]*\"(([A-Za-z_]+)/[^\"]*)\"")
          set(percorso ${CMAKE_MATCH_1})
          list(FIND STRATI_CARTELLE_PROGETTO ${CMAKE_MATCH_2} progetto)
          set(ammessa FALSE)
          foreach(prefisso ${consentiti})
            string(LENGTH "${prefisso}" n)
            string(SUBSTRING "${percorso}" 0 ${n} inizio)
            if(inizio STREQUAL prefisso)
              set(ammessa TRUE)
            endif()
          endforeach()
          if(progetto GREATER -1 AND NOT ammessa)
            string(APPEND errori "  ${relativo}: ${riga}\n")
          endif()
        elseif(riga MATCHES "#[ \t]*include[ \t]*<Q")
          list(FIND STRATI_SENZA_QT ${strato} senzaQt)
          if(senzaQt GREATER -1)
            string(APPEND errori "  ${relativo}: ${riga}\n")
          endif()
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(errori)
    message(FATAL_ERROR "Includes against the direction of the layers:\n${errori}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED SORGENTI)
  controlla_strati(${SORGENTI})
endif()

# An executable holding every object of one library and only what that
# library links: a reference to a symbol of a layer above fails the link.
# With SOLO, only the libraries named there (not what the library links):
# a reference to any other code, Qt's included, fails the link.
function(verifica_collegamento libreria)
  cmake_parse_arguments(V "" "" "SOLO" ${ARGN})
  add_executable(verifica_${libreria} ${CMAKE_SOURCE_DIR}/cmake/verifica_strato.cpp)
  if(V_SOLO)
    set(archivi "")
    foreach(l ${V_SOLO})
      list(APPEND archivi $<TARGET_FILE:${l}>)
    endforeach()
    target_link_libraries(verifica_${libreria} PRIVATE
      -Wl,--whole-archive $<TARGET_FILE:${libreria}> -Wl,--no-whole-archive ${archivi})
    add_dependencies(verifica_${libreria} ${libreria} ${V_SOLO})
  else()
    target_link_libraries(verifica_${libreria} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${libreria}>")
  endif()
  set_target_properties(verifica_${libreria} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/verifica)
endfunction()
