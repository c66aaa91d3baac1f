# Shared by the program's desktop tests (sourced after gallery_session.sh).

# Waits for the program ($pid) to end and expects exit code 0.
expect_clean_exit() {
  local end=$((SECONDS + deadline_s)) status=0
  while kill -0 "$pid" 2>/dev/null; do
    ((SECONDS < end)) || fail "the program did not end after its close button"
    sleep 0.05
  done
  wait "$pid" || status=$?
  pid=
  [[ $status == 0 ]] || fail "the program ended with $status (see $out/tovrel.log)"
}
