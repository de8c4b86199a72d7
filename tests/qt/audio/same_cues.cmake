# Runs the cue generator once more and compares every file it writes with
# the one embedded in the program: the cues are the same bytes on every
# build.
#   cmake -DGENERATOR=<velmoran_soundgen> -DSHIPPED=<cue dir> -DOUT=<scratch dir> -P same_cues.cmake
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${rc}")
endif()
file(GLOB again RELATIVE ${OUT} ${OUT}/*.wav)
file(GLOB shipped RELATIVE ${SHIPPED} ${SHIPPED}/*.wav)
if(NOT again STREQUAL shipped)
  message(FATAL_ERROR "the generator wrote ${again}, the program has ${shipped}")
endif()
foreach(f IN LISTS again)
  file(SHA256 ${OUT}/${f} a)
  file(SHA256 ${SHIPPED}/${f} b)
  if(NOT a STREQUAL b)
    message(FATAL_ERROR "${f} came out different")
  endif()
endforeach()
list(LENGTH again n)
message(STATUS "${n} cues, the same bytes")
