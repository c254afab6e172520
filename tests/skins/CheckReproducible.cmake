# Runs the skin generator twice into fresh folders, for the default skin with the resources
# and for the theme in THEME_DIR, and fails unless both runs wrote the same files with the
# same bytes. Arguments: PYTHON, GENERATOR, THEME_DIR, WORK_DIR.
file(REMOVE_RECURSE ${WORK_DIR})
foreach(run a b)
  execute_process(COMMAND ${PYTHON} -B ${GENERATOR} --skin ${WORK_DIR}/${run}/skin
                          --resources ${WORK_DIR}/${run}/resources
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "generator run ${run} failed: ${rc}")
  endif()
  execute_process(COMMAND ${PYTHON} -B ${GENERATOR} --skin ${WORK_DIR}/${run}/theme
                          --theme ${THEME_DIR}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "generator run ${run} of ${THEME_DIR} failed: ${rc}")
  endif()
endforeach()
file(GLOB_RECURSE files RELATIVE ${WORK_DIR}/a ${WORK_DIR}/a/*)
file(GLOB_RECURSE files_b RELATIVE ${WORK_DIR}/b ${WORK_DIR}/b/*)
list(LENGTH files count)
if(count LESS 86 OR NOT files STREQUAL files_b)
  message(FATAL_ERROR "the runs wrote different file sets (${count} files)")
endif()
foreach(f ${files})
  file(SHA256 ${WORK_DIR}/a/${f} ha)
  file(SHA256 ${WORK_DIR}/b/${f} hb)
  if(NOT ha STREQUAL hb)
    message(FATAL_ERROR "${f} differs between two runs")
  endif()
endforeach()
message(STATUS "${count} files identical in both runs")
