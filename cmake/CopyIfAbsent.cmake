# cmake -DSOURCE=... -DDEST=... -P CopyIfAbsent.cmake
if(EXISTS "${SOURCE}" AND NOT EXISTS "${DEST}")
  file(COPY_FILE "${SOURCE}" "${DEST}")
endif()
