#!/usr/bin/env bash
# Runs the built program in fresh temporary directories and checks, byte for
# byte, what it leaves in output.txt, what it shows on standard output and
# standard error, and its exit status.
#
# Usage: end_to_end.sh PROGRAM [EMULATOR [EMULATOR-ARG...]]
# A Windows build (PROGRAM ending in .exe, run through an emulator such as
# wine) writes its files and console in text mode, so every line end it
# writes is expected as CR LF there.
set -u

program=$(realpath "$1")
shift
emulator=("$@")
windows=false
[[ $program == *.exe ]] && windows=true
export WINEDEBUG=-all

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0 skipped=0

# ------------------------------------------------------------------ helpers

new_case() {
    case_name=$1
    case_dir=$(mktemp -d "$scratch/case.XXXXXX")
    work=$case_dir/work
    mkdir "$work"
    problems=()
}

run_program() {
    (cd "$work" && timeout 60 "${emulator[@]}" "$program" "$@" \
        >"$case_dir/stdout" 2>"$case_dir/stderr" </dev/null)
    echo $? >"$case_dir/status"
}

# expect WHAT FILE TEXT: FILE holds exactly TEXT, with the platform's line ends.
expect() {
    local what=$1 file=$2 text=$3
    $windows && text=${text//$'\n'/$'\r\n'}
    if [[ ! -f $file ]]; then
        problems+=("$what: no such file")
    elif ! cmp -s "$file" <(printf '%s' "$text"); then
        problems+=("$what: expected $(printf '%q' "$text"), got $(printf '%q' "$(cat "$file"; echo .)")")
    fi
}

expect_exit_zero() {
    [[ $(cat "$case_dir/status") == 0 ]] || problems+=("exit status $(cat "$case_dir/status"), expected 0")
}

end_case() {
    if ((${#problems[@]} == 0)); then
        echo "ok      $case_name"
        passed=$((passed + 1))
    else
        echo "FAILED  $case_name"
        printf '        %s\n' "${problems[@]}"
        failed=$((failed + 1))
    fi
}

skip_case() {
    echo "skipped $1 ($2)"
    skipped=$((skipped + 1))
}

# check_report LABEL INPUT REPORT WARNINGS: a run over INPUT writes REPORT to
# output.txt and WARNINGS to standard error, shows nothing on standard output
# and exits 0.
check_report() {
    new_case "$1"
    printf '%s' "$2" >"$work/input.txt"
    run_program
    expect output.txt "$work/output.txt" "$3"
    expect stdout "$case_dir/stdout" ""
    expect stderr "$case_dir/stderr" "$4"
    expect_exit_zero
    end_case
}

# check_open_failure LABEL: the run prepared in $work shows the failure
# message, writes nothing to standard error and exits 0.
check_open_failure() {
    run_program
    expect stdout "$case_dir/stdout" $'Failed to open input or output file\n'
    expect stderr "$case_dir/stderr" ""
    expect_exit_zero
}

# ------------------------------------------------------------------ report path

ann=$'Name: Ann Total: 150 Average: 30.0 Calories: 12.0\n'
bob=$'Name: Bob Total: -1 Average: -0.2 Calories: -0.1\n'
cy=$'Name: 42 Total: 7 Average: 1.4 Calories: 0.6\n'
report="$ann$bob$cy"

check_report "one record per line" \
    $'3\nAnn 10 20 30 40 50\nBob -1 0 0 0 0\n42 1 1 1 2 2\n' "$report" ""
check_report "all records on one line" \
    $'3 Ann 10 20 30 40 50 Bob -1 0 0 0 0 42 1 1 1 2 2' "$report" ""
check_report "one token per line" \
    "$(printf '%s\n' 3 Ann 10 20 30 40 50 Bob -1 0 0 0 0 42 1 1 1 2 2)" "$report" ""
check_report "CRLF line ends" \
    $'3\r\nAnn 10 20 30 40 50\r\nBob -1 0 0 0 0\r\n42 1 1 1 2 2\r\n' "$report" ""
check_report "signs, leading zeros and numbers against names" \
    $'3\tAnn +10 020 30 40 50Bob -1 -0 +0 00 0\f42 1 1 1 2 2\v' "$report" ""
check_report "tokens after the last record are ignored" \
    $'1\nAnn 10 20 30 40 50\nBob x\n' "$ann" ""
check_report "count zero" $'0\nAnn 10 20 30 40 50\n' "" ""
check_report "count negative" $'-2\nAnn 10 20 30 40 50\n' "" ""
check_report "empty input" "" "" \
    $'warning: input.txt: no record count; the report is empty\n'
check_report "white space only" $' \r\n\t\n' "" \
    $'warning: input.txt: no record count; the report is empty\n'
check_report "count not a number" $'two\nAnn 10 20 30 40 50\n' "" \
    $'warning: input.txt: the record count is not a number; the report is empty\n'
check_report "count out of range" $'-2147483649\nAnn 10 20 30 40 50\n' "" \
    $'warning: input.txt: the record count is out of range; the report is empty\n'
check_report "input ends before a record" $'3\nAnn 10 20 30 40 50\nBob -1 0 0 0 0\n' "$ann$bob" \
    $'warning: input.txt: record 3 is missing or incomplete; the report stops after 2 of 3 records\n'
check_report "input ends inside a record" $'2\nAnn 10 20 30 40 50\nBob -1 0' "$ann" \
    $'warning: input.txt: record 2 is missing or incomplete; the report stops after 1 of 2 records\n'
check_report "a huge count makes up no lines" $'2147483647\nAnn 10 20 30 40 50\n' "$ann" \
    $'warning: input.txt: record 2 is missing or incomplete; the report stops after 1 of 2147483647 records\n'
check_report "a value that is not a number" $'2\nAnn 10 20 30 40 50\nBob -1 0 x 0 0\n' "$ann" \
    $'warning: input.txt: record 2 has a value that is not a number; the report stops after 1 of 2 records\n'
check_report "a value out of range" $'2\nAnn 10 20 30 40 2147483648\nBob -1 0 0 0 0\n' "" \
    $'warning: input.txt: record 1 has a value out of range; the report stops after 0 of 2 records\n'

new_case "an existing output.txt is replaced"
printf '%s' $'1\nAnn 10 20 30 40 50\n' >"$work/input.txt"
printf 'an old report that is longer than the new one\n%.0s' {1..50} >"$work/output.txt"
run_program
expect output.txt "$work/output.txt" "$ann"
expect_exit_zero
end_case

new_case "arguments are ignored"
printf '%s' $'1\nAnn 10 20 30 40 50\n' >"$work/input.txt"
run_program --help -o other.txt input.txt ""
expect output.txt "$work/output.txt" "$ann"
expect stdout "$case_dir/stdout" ""
expect stderr "$case_dir/stderr" ""
expect_exit_zero
end_case

# ------------------------------------------------------------------ failure path

new_case "no input.txt: message, and output.txt emptied"
printf 'an old report\n' >"$work/output.txt"
check_open_failure
expect output.txt "$work/output.txt" ""
end_case

new_case "no input.txt: message, and output.txt created"
check_open_failure
expect output.txt "$work/output.txt" ""
end_case

new_case "input.txt is a directory: message, and output.txt emptied"
mkdir "$work/input.txt"
printf 'an old report\n' >"$work/output.txt"
check_open_failure
expect output.txt "$work/output.txt" ""
end_case

new_case "output.txt is a directory: message"
printf '%s' $'1\nAnn 10 20 30 40 50\n' >"$work/input.txt"
mkdir "$work/output.txt"
check_open_failure
[[ -d $work/output.txt ]] || problems+=("output.txt is no longer a directory")
end_case

# ------------------------------------------------------------------ Linux only

if $windows; then
    skip_case "a full disk" "/dev/full exists only on Linux"
else
    new_case "a full disk: the run stops and says so"
    printf '%s' $'2\nAnn 10 20 30 40 50\nBob -1 0 0 0 0\n' >"$work/input.txt"
    ln -s /dev/full "$work/output.txt"
    run_program
    expect stdout "$case_dir/stdout" ""
    expect stderr "$case_dir/stderr" \
        $'warning: output.txt: write failed at record 1; the report is incomplete\n'
    expect_exit_zero
    end_case
fi

# A line must reach output.txt as soon as its record has arrived, while the
# writer of the input still holds the pipe open.
wait_for_report() {
    local expected=$1
    for _ in $(seq 200); do
        [[ -f $work/output.txt && $(cat "$work/output.txt"; echo .) == "$expected." ]] && return 0
        sleep 0.05
    done
    return 1
}

if $windows; then
    skip_case "input from a pipe" "named pipes in the file system exist only on Linux"
else
    new_case "input from a pipe: each line appears as its record arrives"
    mkfifo "$work/input.txt"
    exec 3<>"$work/input.txt"
    run_program &
    runner=$!
    printf '2\nAnn 10 20 30 40 50\n' >&3
    wait_for_report "$ann" || problems+=("Ann's line did not appear while the pipe was open")
    printf 'Bob -1 0 0 0 0\n' >&3
    wait_for_report "$ann$bob" || problems+=("Bob's line did not appear while the pipe was open")
    exec 3>&-
    wait "$runner"
    expect output.txt "$work/output.txt" "$ann$bob"
    expect stderr "$case_dir/stderr" ""
    expect_exit_zero
    end_case
fi

echo
echo "end to end: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
