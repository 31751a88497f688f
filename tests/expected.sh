# Sourced by the test scripts: expected NAME prints a value of
# tests/expected_values.txt.
expected_values_file="$(dirname "${BASH_SOURCE[0]}")/expected_values.txt"
expected() { sed -n "s/^$1=//p" "$expected_values_file"; }
