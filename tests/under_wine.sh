#!/bin/sh
# Runs a test of Zorvin.exe under Wine. Where Wine is not installed (Debian 14 has no Wine package
# at all), it says so and exits 77, which CTest reports as a skip: the test cannot tell anything
# there, and must not pass as if it had.
if ! command -v wine >/dev/null; then
    echo "Skipped: Wine is not installed here, and this test runs Zorvin.exe under it."
    exit 77
fi
exec "$@"
