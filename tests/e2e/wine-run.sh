#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the tests' prefix and
# passes on its exit code.
source "$(dirname "$0")/lib.sh"
use_wine
wine "$@"
