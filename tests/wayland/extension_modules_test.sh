#!/bin/sh
# Runs extension_modules_test.js under gjs on a bus of its own. GIO's local file system alone, so
# that the bus starts no file system daemon.
GIO_USE_VFS=local exec dbus-run-session -- gjs -m "$(dirname "$0")/extension_modules_test.js"
