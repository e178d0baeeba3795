# Compiler settings shared by every target of the project. Warnings stay PRIVATE so
# they never leak into code that merely links our libraries.
function(quintrel_setup_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -ffp-contract=off -fno-fast-math)
  if(QUINTREL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                             -fno-sanitize-recover=undefined
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(QUINTREL_FUZZ)
    # Coverage for libFuzzer and the sanitizers whose reports count as crashes; each fuzz
    # target adds -fsanitize=fuzzer itself, which also brings libFuzzer's main.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Puts the shipped locs.dat beside an executable after it is built, unless one is there.
function(quintrel_ship_locations target)
  set(shipped ${PROJECT_SOURCE_DIR}/data/locs.dat)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${shipped} -DDEST=$<TARGET_FILE_DIR:${target}>/locs.dat
            -P ${PROJECT_SOURCE_DIR}/cmake/CopyIfAbsent.cmake
    VERBATIM)
endfunction()
