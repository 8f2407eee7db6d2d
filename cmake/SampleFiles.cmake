# The sample bot files, assembled in <build>/sample: what sample/ holds for every
# system, and flat beside it the batch files of this system (sample/windows on
# Windows, sample/posix elsewhere). The target kdx_samples keeps the folder
# current; the program's build, its install rules and the tests take it from there.
set(KDX_SAMPLE_FOLDER ${PROJECT_BINARY_DIR}/sample)

if(WIN32)
  set(kdx_batch_files windows)
else()
  set(kdx_batch_files posix)
endif()
set(kdx_sample_source ${PROJECT_SOURCE_DIR}/sample)
file(GLOB_RECURSE kdx_samples CONFIGURE_DEPENDS RELATIVE ${kdx_sample_source} ${kdx_sample_source}/*)

set(kdx_staged_samples)
foreach(sample IN LISTS kdx_samples)
  if(sample MATCHES "^(posix|windows)/")
    if(NOT sample MATCHES "^${kdx_batch_files}/")
      continue()
    endif()
    string(REGEX REPLACE "^[^/]+/" "" staged "${sample}")
  else()
    set(staged "${sample}")
  endif()
  add_custom_command(OUTPUT ${KDX_SAMPLE_FOLDER}/${staged}
    COMMAND ${CMAKE_COMMAND} -E copy ${kdx_sample_source}/${sample} ${KDX_SAMPLE_FOLDER}/${staged}
    DEPENDS ${kdx_sample_source}/${sample}
    VERBATIM)
  list(APPEND kdx_staged_samples ${KDX_SAMPLE_FOLDER}/${staged})
endforeach()
add_custom_target(kdx_samples ALL DEPENDS ${kdx_staged_samples})
