# Runs a fuzzer for at most RUNS inputs or SECONDS seconds from a fresh copy
# of its seeds, with a temporary folder of its own that must be empty again
# when it ends.
set(corpus ${WORK}/corpus)
set(temporary ${WORK}/tmp)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${corpus} ${temporary})
foreach(seed_dir ${SEEDS})
    file(GLOB seeds ${seed_dir}/*)
    list(FILTER seeds EXCLUDE REGEX "README.md$")
    if(seeds)
        file(COPY ${seeds} DESTINATION ${corpus})
    endif()
endforeach()
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${temporary}
        ${FUZZER} -runs=${RUNS} -max_total_time=${SECONDS} -max_len=4096 -timeout=10 -rss_limit_mb=1024 ${corpus}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the fuzzer found a failing input (exit status ${status}); see its output above")
endif()
file(GLOB left_behind ${temporary}/*)
if(left_behind)
    message(FATAL_ERROR "the fuzzer left files in its temporary folder: ${left_behind}")
endif()
