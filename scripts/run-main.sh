#!/usr/bin/env bash
# Builds the revaze tool and the default dictionary, then types a Wylie example through the
# engine: its spelling, its candidates, and what the input method commits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh" --tool
cmake --preset native >/dev/null
cmake --build --preset native --target revaze >/dev/null
"$root/scripts/make-default-dictionary.sh" "$root/build/native/bin/revaze"
revaze="$root/build/native/bin/revaze"
example=${1:-bkra shis}
echo "spelling of: $example"
# shellcheck disable=SC2086
"$revaze" parse $example
echo "candidates (first 10):"
"$revaze" lookup "$("$revaze" type "$example{Enter}")" | head -n 10
echo "typing \"$example{Enter}\" commits:"
"$revaze" type "$example{Enter}"
"$revaze" type --codepoints "$example{Enter}"
