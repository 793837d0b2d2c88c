#!/bin/sh
# Runs a test of Zorvin.exe under Wine:  under_wine.sh ON|OFF COMMAND...
# OFF, the build's word that this release has no Wine package (Debian 14), says so and exits 77,
# which CTest reports as a skip: the test cannot tell anything there, and must not pass as if it
# had. ON, a Wine that cannot be found fails the test: it was expected to run.
expected=$1
shift
if [ "$expected" != ON ]; then
    echo "Skipped: this release has no Wine package, and this test runs Zorvin.exe under Wine."
    exit 77
fi
if ! command -v wine >/dev/null; then
    echo "Failed: this build expects Wine (ZORVIN_TEST_UNDER_WINE=ON), but no 'wine' is on PATH." \
        "Install it (scripts/install-deps.sh test installs it where the release has it), or" \
        "configure with -DZORVIN_TEST_UNDER_WINE=OFF where the release has none." >&2
    exit 1
fi
exec "$@"
