#!/usr/bin/env bash
# Installs the Debian packages in tools/packages.txt (or the list given) that are not installed
# yet; does nothing (and needs no network) when all are there.
#
#   install-packages.sh [LIST]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
list=${1:-$here/packages.txt}

missing=()
while read -r package; do
  [ -n "$package" ] || continue
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done <"$list"

if [ ${#missing[@]} -eq 0 ]; then
  echo "== Packages: all present"
  exit 0
fi

echo "== Packages: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
  "${missing[@]}"
