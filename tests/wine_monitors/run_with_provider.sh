#!/usr/bin/env bash
# Runs a Windows test program under Wine with orbiquell_perf.dll registered in
# the prefix.
#
# usage: run_with_provider.sh PROVIDER_DLL PROGRAM [ARGUMENTS...]
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

provider=${1:?path of orbiquell_perf.dll}
shift
wine_prefix_ready
wm_register_provider "$provider"
wine_start "$@"
