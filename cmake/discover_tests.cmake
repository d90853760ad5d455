# SPDX-License-Identifier: GPL-3.0-or-later
# Registers a GoogleTest binary's cases with CTest. The cases given after
# NEEDS_ICONV_CP932 convert names through iconv's code page 932, which a C
# library without its iconv modules lacks (the aarch64 cross build's); their
# label lets such a run leave them out and say why.
function(ventbox_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "NEEDS_ICONV_CP932")
  list(JOIN arg_NEEDS_ICONV_CP932 ":" cp932_cases)
  gtest_discover_tests(${target} TEST_FILTER "-${cp932_cases}")
  gtest_discover_tests(${target} TEST_FILTER "${cp932_cases}"
    PROPERTIES LABELS needs-iconv-cp932)
endfunction()
