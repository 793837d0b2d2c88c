#!/bin/sh
# Runs extension_modules_test.js under gjs on a bus of its own; skipped (77) where gjs is missing.
command -v gjs >/dev/null || exit 77
exec dbus-run-session -- gjs -m "$(dirname "$0")/extension_modules_test.js"
