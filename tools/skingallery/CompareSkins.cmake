# Renders the gallery without a skin and with user skins 1 and 2, and fails
# when any two pictures are the same. The form itself is not skinned, so
# every difference lies in the skinned controls' regions.
foreach(skin 0 1 2)
  execute_process(COMMAND ${SKINGALLERY} --skin ${skin} --screenshot ${OUT}/skingallery-${skin}.png
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "skingallery --skin ${skin} failed: ${result}")
  endif()
endforeach()
foreach(pair "0;1" "0;2" "1;2")
  list(GET pair 0 a)
  list(GET pair 1 b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/skingallery-${a}.png ${OUT}/skingallery-${b}.png
                  RESULT_VARIABLE same)
  if(same EQUAL 0)
    message(FATAL_ERROR "skins ${a} and ${b} draw the skinned controls alike")
  endif()
endforeach()
