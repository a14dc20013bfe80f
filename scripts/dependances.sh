#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are installed: installs the
# missing ones when run as root, otherwise says which to install and stops.
set -euo pipefail
ici=$(dirname "$(readlink -f "$0")")
mapfile -t paquets < <(grep -v '^\s*\(#\|$\)' "$ici/paquets-debian.txt")

manquants=()
for paquet in "${paquets[@]}"; do
  statut=$(dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null || true)
  [[ "$statut" == "install ok installed" ]] || manquants+=("$paquet")
done
[[ ${#manquants[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${manquants[@]}"
else
  echo "Paquets manquants : ${manquants[*]}" >&2
  echo "Installez-les avec : sudo apt-get install -y ${manquants[*]}" >&2
  exit 1
fi
