# The layers of the program and the folders each may include from: a source
# that includes from a folder outside its list stops the build.  Run at
# configure time (include()) and as a test (cmake -DSORGENTI=... -P).
#
#   engine     standard library only
#   platform   itself (the layer over Qt, SQLite and mdbtools)
#   core, catalogue: no window
#   selection  no main window or dialogs (ui/ reaches it through callbacks)
#   selection/unita  the rating unit: no window and no Qt, only the engine
#              and the catalogue's data
#   report     reached from selection through a callback as well; it reads a
#              selection window by its controls' names, never its class
set(STRATI_CONSENTITI
  "engine:engine"
  "platform:platform"
  "core:core,platform,engine"
  "catalogue:catalogue,core,platform,engine"
  "selection:selection,catalogue,core,platform,engine"
  "selection/unita:selection,catalogue,engine"
  "report:report,catalogue,core,platform,engine"
  "ui:ui,report,selection,catalogue,core,platform,engine")
set(STRATI_CARTELLE_PROGETTO app bench catalogue core data engine platform report selection tests tools ui)

function(controlla_strati radice)
  set(errori "")
  foreach(voce ${STRATI_CONSENTITI})
    string(REPLACE ":" ";" parti "${voce}")
    list(GET parti 0 strato)
    list(GET parti 1 consentiti)
    string(REPLACE "," ";" consentiti "${consentiti}")
    file(GLOB sorgenti ${radice}/${strato}/*.cpp ${radice}/${strato}/*.h)
    foreach(f ${sorgenti})
      file(STRINGS ${f} righe REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
      foreach(riga ${righe})
        if(riga MATCHES "#[ \t]*include[ \t]*\"([A-Za-z_]+)/")
          set(cartella ${CMAKE_MATCH_1})
          list(FIND STRATI_CARTELLE_PROGETTO ${cartella} progetto)
          list(FIND consentiti ${cartella} ammessa)
          if(progetto GREATER -1 AND ammessa EQUAL -1)
            string(APPEND errori "  ${f}: ${riga}\n")
          endif()
        elseif((strato STREQUAL "engine" OR strato STREQUAL "selection/unita") AND riga MATCHES "#[ \t]*include[ \t]*<Q")
          string(APPEND errori "  ${f}: ${riga}\n")
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
function(verifica_collegamento libreria)
  add_executable(verifica_${libreria} ${CMAKE_SOURCE_DIR}/cmake/verifica_strato.cpp)
  target_link_libraries(verifica_${libreria} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${libreria}>")
  set_target_properties(verifica_${libreria} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/verifica)
endfunction()
