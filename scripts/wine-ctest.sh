# Sourced by the Windows test scripts. wine_ctest PRESET runs that preset's
# tests under Wine and adds their counts to the caller's `passed` and
# `failed`; WINEPREFIX names the preset's prefix.
wine_ctest() {
    local log summary bad all
    # Makes the Wine prefix on the first call (some seconds) outside ctest,
    # which then starts and ends its own session.
    cmake/wine-session.sh start && cmake/wine-session.sh stop || {
        echo "FAIL: no Wine session in $WINEPREFIX"
        failed=$((failed + 1))
        return
    }
    # One at a time (the presets set no jobs): on Windows the summary file of
    # a media file in the temporary folder goes to the drive's root, which the
    # tests share.
    log=$(mktemp)
    ctest --preset "$1" 2>&1 | tee "$log"
    summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -n "$summary" ]; then
        read -r bad _ _ _ _ all <<<"$summary"
        passed=$((passed + all - bad))
        failed=$((failed + bad))
    else
        echo "FAIL: ctest reported no results"
        failed=$((failed + 1))
    fi
}
