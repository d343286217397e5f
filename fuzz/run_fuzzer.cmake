# Runs a fuzzer for a bounded number of inputs from a fresh copy of its seeds.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(seed_dir ${SEEDS})
    file(GLOB seeds ${seed_dir}/*)
    list(FILTER seeds EXCLUDE REGEX "README.md$")
    if(seeds)
        file(COPY ${seeds} DESTINATION ${WORK})
    endif()
endforeach()
execute_process(
    COMMAND ${FUZZER} -runs=60000 -max_total_time=90 -max_len=4096 -timeout=10 -rss_limit_mb=1024 ${WORK}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the fuzzer found a failing input (exit status ${status}); see its output above")
endif()
