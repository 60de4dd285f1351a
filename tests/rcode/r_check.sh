#!/usr/bin/env bash
# The R code of the R Language menu, run by Rscript: the code of every command for a sheet of
# ordinary names and for one of non-syntactic names must run without an error, and R's
# statistics must agree with the program's own reports (r_check.R). Skipped (status 77) where
# Rscript is not installed.
#   r_check.sh ORVEL-BATCH TESTS-DIR WORK-DIR
set -euo pipefail
batch=$1 tests=$2 work=$3
if ! command -v Rscript >/dev/null 2>&1; then
  echo "Rscript is not installed: the R code check is skipped (apt-get install r-base-core r-cran-mass)"
  exit 77
fi
rm -rf "$work" && mkdir -p "$work" && cd "$work"

# Runs Rscript on a file of generated code; any R error fails the test.
run_r() {
  if ! Rscript --vanilla "$@" >"$1.out" 2>&1; then
    echo "---- R stopped on $1:"; cat "$1.out"; exit 1
  fi
}
# The --rcode arguments of a golden case (one argument a line).
mapfile -t commands_args <"$tests/golden/rcode_commands.args"
"$batch" --answers "$tests/golden/rcode_commands.answers" "${commands_args[@]}" \
  "$tests/golden/rcode_commands.txt" "$tests/golden/rcode_commands.ovm" >commands.R 2>/dev/null
run_r commands.R
# The names case selects the name row for its table commands; here a table of numbers.
printf 'selectcell (1,1)::(2,2);\r\n' >names.ovm
mapfile -t names_args <"$tests/golden/rcode_names.args"
"$batch" --answers "$tests/golden/rcode_names.answers" "${names_args[@]}" \
  "$tests/golden/rcode_names.txt" names.ovm >names.R 2>/dev/null
run_r names.R

"$batch" "$tests/rcode/r_check.txt" "$tests/rcode/r_check.ovm" >report.txt
"$batch" --answers "$tests/rcode/r_check.answers" --rcode "Paired t-Test" --rcode "Unpaired t-Test" \
  --rcode "Pearson's Chi-Squared Test" --rcode "Correlation Coefficients" --rcode "Multiple Regression Analysis" \
  "$tests/rcode/r_check.txt" "$tests/rcode/r_check.ovm" >check.R 2>/dev/null
if ! Rscript --vanilla "$tests/rcode/r_check.R" report.txt check.R; then
  echo "---- the generated code:"; cat check.R; exit 1
fi
