# Run after Vantrel.exe is linked (cmake -DFILE=... -DLIMIT=... -P): a program
# larger than LIMIT bytes, or one that imports what Windows 2000 lacks (scripts/check-imports),
# fails the build and is removed, so that no build ever ships it.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  file(REMOVE "${FILE}")
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} allowed; removed")
endif()
execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../scripts/check-imports" "${FILE}" RESULT_VARIABLE failed OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
if(failed)
  file(REMOVE "${FILE}")
  message(FATAL_ERROR "${out}${FILE} removed")
endif()
