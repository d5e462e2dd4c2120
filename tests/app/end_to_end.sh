#!/usr/bin/env bash
# Runs end_to_end.py with a session bus of its own, where the accessibility bus starts on demand
# (the script starts its own virtual display): usage: end_to_end.sh PATH_TO_QUILLO_APP. Exits 77
# (skipped) only when the machine lacks what scripts/bootstrap installs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v dbus-run-session >/dev/null || missing+=(dbus-daemon)
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] || missing+=(at-spi2-core)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "skipped: the end-to-end test needs ${missing[*]} (scripts/bootstrap installs them)" >&2
  exit 77
fi
# The system's Python: pyatspi is a Debian package, not one of a virtual environment's.
exec dbus-run-session -- /usr/bin/python3 "$here/end_to_end.py" "$1"
