#!/usr/bin/env bash
# Sets up and builds Corvale (scripts/setup.sh), then starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/corvale/corvale
