# Runs one fuzzer for SECONDS seconds on a fresh corpus in WORK, seeded by
# the SEEDS program; crash files land in WORK too, never in the source tree.
# Arguments: -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=...
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
execute_process(COMMAND "${SEEDS}" "${WORK}/corpus" RESULT_VARIABLE seeded)
if(NOT seeded EQUAL 0)
  message(FATAL_ERROR "writing the seed corpus failed: ${seeded}")
endif()
execute_process(
  COMMAND "${FUZZER}" "${WORK}/corpus" -max_total_time=${SECONDS} -artifact_prefix=${WORK}/
          -print_final_stats=1
  RESULT_VARIABLE fuzzed)
if(NOT fuzzed EQUAL 0)
  message(FATAL_ERROR "the fuzzer found a fault (status ${fuzzed}); see the crash file in ${WORK}")
endif()
