# Regenerates the bundled sample job and compares it byte for byte with the
# committed files, so a change to the generator (or to the standard library
# under it) that alters the sample shows up. The classic job the benchmarks
# use is held to the digests of its files, as its bytes time the converter.
#   cmake -DGENJOB=<zendro-genjob> -DSAMPLES=<samples folder> -DOUT=<scratch folder> -P check_sample.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/classic")
execute_process(COMMAND "${GENJOB}" --out "${OUT}/HWY12-3" --points 48 --seed 28
                        --blunder-height 0.5 --blunder-record 52 --quiet
                RESULT_VARIABLE status ERROR_VARIABLE blunders)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zendro-genjob failed: ${status}")
endif()
if(NOT blunders STREQUAL "blunder: record 52 (backsight to point 3): target height +0.50\n")
  message(FATAL_ERROR "unexpected blunder report: ${blunders}")
endif()
foreach(extension IN ITEMS HVD CTX RTX)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                          "${OUT}/HWY12-3.${extension}" "${SAMPLES}/HWY12-3.${extension}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "HWY12-3.${extension} differs from the bundled sample")
  endif()
endforeach()

execute_process(COMMAND "${GENJOB}" --out "${OUT}/classic/HWY12-3" --layout classic --points 48
                        --seed 28 --quiet
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zendro-genjob --layout classic failed: ${status}")
endif()
set(classic_HVD 6425f456c750615b08f9a082cd510bccbce0b21f09d4139055ca58d5fc3f9c5e)
set(classic_CTX 4e58ceb156c99cca36877b59eb8672c7d0405633e7dcc1d5740aaa32d96f28ef)
set(classic_RTX 41c1378ade738f9ca7d5a770aec17d7fbbbeb719c624b53e8cd9f1b5e276bc54)
foreach(extension IN ITEMS HVD CTX RTX)
  file(SHA256 "${OUT}/classic/HWY12-3.${extension}" digest)
  if(NOT digest STREQUAL classic_${extension})
    message(FATAL_ERROR "the classic job's HWY12-3.${extension} changed")
  endif()
endforeach()
