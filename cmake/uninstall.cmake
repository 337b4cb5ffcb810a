# Removes what an installation put, file by file from its manifest, then the
# program's own folder once empty. Run as
#   cmake -DMANIFEST=<build>/install_manifest.txt -DPREFIX=<prefix> -DPROGRAM_DIR=lib/wavix
#         -DMIME_DIR=share/mime -P uninstall.cmake
# with the DESTDIR the installation had, if any.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Aucune installation à retirer : ${MANIFEST} est introuvable (lancez d'abord make install).")
endif()
file(STRINGS "${MANIFEST}" fichiers)
foreach(chemin IN LISTS fichiers)
  # The manifest names the files without the DESTDIR they were staged under.
  set(fichier "$ENV{DESTDIR}${chemin}")
  if(IS_SYMLINK "${fichier}" OR EXISTS "${fichier}")
    message(STATUS "Suppression : ${fichier}")
    file(REMOVE "${fichier}")
    if(IS_SYMLINK "${fichier}" OR EXISTS "${fichier}")
      message(FATAL_ERROR "Impossible de supprimer ${fichier}")
    endif()
  endif()
endforeach()
set(dossier "$ENV{DESTDIR}${PREFIX}/${PROGRAM_DIR}")
if(PROGRAM_DIR AND IS_DIRECTORY "${dossier}")
  file(GLOB reste "${dossier}/*")
  if(NOT reste)
    file(REMOVE_RECURSE "${dossier}")
  endif()
endif()
# Removed for real (no DESTDIR), the prefix's type database forgets the type.
if(MIME_DIR AND "$ENV{DESTDIR}" STREQUAL "" AND IS_DIRECTORY "${PREFIX}/${MIME_DIR}/packages")
  find_program(UPDATE_MIME update-mime-database)
  if(UPDATE_MIME)
    execute_process(COMMAND "${UPDATE_MIME}" "${PREFIX}/${MIME_DIR}")
  endif()
endif()
