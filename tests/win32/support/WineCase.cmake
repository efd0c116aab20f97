include_guard(GLOBAL)
# Include from a group's CMakeLists.txt:
#   include(${CMAKE_SOURCE_DIR}/tests/win32/support/WineCase.cmake)
# quorvex_add_wine_case(<group> <target> <case> [ENVIRONMENT <VAR=value>...])
# Adds the ctest "<group>.<case>" running `<target> <case>` under Wine. The verdict comes from
# the case's last line ("case <case>: passed") and not from the exit status: under QEMU a
# Wine process that is slow to exit is killed by the wineserver after it has finished, and
# would report a passed case as "Subprocess killed".
function(quorvex_add_wine_case group target case)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "ENVIRONMENT")
  add_test(NAME ${group}.${case} COMMAND ${target} ${case})
  set_tests_properties(${group}.${case} PROPERTIES
    PASS_REGULAR_EXPRESSION "case ${case}: passed"
    FAIL_REGULAR_EXPRESSION "FAILED "
    TIMEOUT 1800)
  if(arg_ENVIRONMENT)
    set_tests_properties(${group}.${case} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
  endif()
endfunction()
