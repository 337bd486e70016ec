# Sourced (with $here the source tree) by the scripts that may run the
# sanitizer build, sanitize.sh and soak.sh: stop at the first error with a
# stack trace, check for leaks at exit, and suppress only leaks inside system
# libraries. Settings already in the environment win. Programs built without
# the sanitizers ignore all of this.
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:print_stacktrace=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/tests/sanitizer/lsan.supp:print_suppressions=0}"
