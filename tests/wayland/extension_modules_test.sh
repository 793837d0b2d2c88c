#!/bin/sh
# Runs extension_modules_test.js under gjs on a bus of its own; skipped (77) where gjs is missing.
# GIO's local file system alone, so that the bus starts no file system daemon.
command -v gjs >/dev/null || exit 77
GIO_USE_VFS=local exec dbus-run-session -- gjs -m "$(dirname "$0")/extension_modules_test.js"
