#!/usr/bin/env bash
# run_if_found.sh TOOL ARGUMENT...: runs TOOL, or reports the test skipped
# where this machine lacks it.
command -v "$1" > /dev/null || { echo "no $1: skipped"; exit 77; }
exec "$@"
