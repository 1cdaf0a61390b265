# Regenerates the bundled sample job and compares it byte for byte with the
# committed files, so a change to the generator (or to the standard library
# under it) that alters the sample shows up.
#   cmake -DGENJOB=<zendro-genjob> -DSAMPLES=<samples folder> -DOUT=<scratch folder> -P check_sample.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${GENJOB}" --out "${OUT}/HWY12-3" --layout classic --points 48 --seed 28 --quiet
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zendro-genjob failed: ${status}")
endif()
foreach(extension IN ITEMS HVD CTX RTX)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                          "${OUT}/HWY12-3.${extension}" "${SAMPLES}/HWY12-3.${extension}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "HWY12-3.${extension} differs from the bundled sample")
  endif()
endforeach()
