# The program started where no display can be reached: a French message on
# its error output and exit status 1, not Qt's abort.
foreach(affichage "" ":9713")
  if(affichage STREQUAL "")
    set(environnement -u DISPLAY)
  else()
    set(environnement DISPLAY=${affichage})
  endif()
  execute_process(COMMAND env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${environnement} HOME=${HOME} ${WAVIX}
    RESULT_VARIABLE rc OUTPUT_VARIABLE sortie ERROR_VARIABLE erreur TIMEOUT 30)
  if(NOT rc EQUAL 1)
    message(FATAL_ERROR "DISPLAY '${affichage}': exit status ${rc}, expected 1\n${erreur}")
  endif()
  if(NOT erreur MATCHES "affichage graphique" OR NOT erreur MATCHES "session de bureau")
    message(FATAL_ERROR "DISPLAY '${affichage}': no French message\n${erreur}")
  endif()
endforeach()
