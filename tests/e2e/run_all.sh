#!/bin/bash
# Runs every end-to-end test (tests/e2e/test_*.sh), each bounded in time, and ends with one
# "N passed, M failed" line. Set ZELMARO_BIN to the program to test.
cd "$(dirname "$0")" || exit 1
passed=0 failed=0
for t in test_*.sh; do
  echo "== $t"
  if timeout -k 5 120 bash "$t"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "== $t FAILED"; fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
