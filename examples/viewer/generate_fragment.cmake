# Runs meshwright's dialogue the way a user does, on a copy of MODEL named fragment.ase in
# FOLDER, answering KIND; the tool writes FOLDER/fragment.cpp.
#   cmake -DTOOL=... -DMODEL=... -DKIND=... -DFOLDER=... -P generate_fragment.cmake
file(MAKE_DIRECTORY ${FOLDER})
# The tool never replaces a file, so the fragment of an earlier build goes first.
file(REMOVE ${FOLDER}/fragment.cpp)
configure_file(${MODEL} ${FOLDER}/fragment.ase COPYONLY)
file(WRITE ${FOLDER}/answers.txt "fragment.ase ${KIND}\n")
execute_process(COMMAND ${TOOL}
                INPUT_FILE ${FOLDER}/answers.txt
                WORKING_DIRECTORY ${FOLDER}
                OUTPUT_VARIABLE dialogue
                ERROR_VARIABLE dialogue)
if(NOT EXISTS ${FOLDER}/fragment.cpp)
  message(FATAL_ERROR "meshwright made no fragment of ${MODEL} in kind ${KIND}:\n${dialogue}")
endif()
