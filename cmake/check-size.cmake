# Run after Vantrel.exe is linked (cmake -DFILE=... -DLIMIT=... -P): a program larger than LIMIT
# bytes fails the build and is removed, so that no build ever ships it.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  file(REMOVE "${FILE}")
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} allowed; removed")
endif()
