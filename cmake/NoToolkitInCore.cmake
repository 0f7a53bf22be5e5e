# The chip model and the board link must stay free of the window toolkit: they do not link Qt and
# Qt's headers are not on their include path, and this check refuses even a stray include line.
function(dac_eval_forbid_toolkit dir)
  file(GLOB_RECURSE sources "${dir}/*.h" "${dir}/*.cpp" "${dir}/*.c")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
    if(hits)
      message(FATAL_ERROR "${source} includes a Qt header: ${hits}")
    endif()
  endforeach()
endfunction()
