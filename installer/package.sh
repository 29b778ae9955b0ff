#!/usr/bin/env bash
# Makes the Windows Installer package OUTPUT from the programs in FOLDER:
# wixl builds it from Ortivo.wxs and the program fragment PROGRAMS_WXS
# (File and Binary sources, the programs and the custom actions' DLLs, are
# looked up in FOLDER, included .wxi files here), then
# msibuild gives the database the Japanese code page, runs the statements
# of tables.sql (one a line) and sets the summary's platform and language.
#
#   installer/package.sh WIXL MSIBUILD VERSION PRODUCT_CODE UPGRADE_CODE PROGRAMS_WXS FOLDER OUTPUT
set -euo pipefail
if [ $# -ne 8 ]; then
  echo "usage: package.sh WIXL MSIBUILD VERSION PRODUCT_CODE UPGRADE_CODE PROGRAMS_WXS FOLDER OUTPUT" >&2
  exit 2
fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wixl="$1" msibuild="$2" version="$3" product_code="$4" upgrade_code="$5" programs_wxs="$6" folder="$7"
output="$(realpath -m "$8")"

queries=()
while IFS= read -r statement; do
  queries+=(-q "$statement")
done < <(grep '^[A-Z]' "$here/tables.sql")

# The code page comes before any text outside ASCII (the service's texts in
# tables.sql): two empty lines, then the code page and the table's name.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
printf '\n\n932\t_ForceCodepage\n' > "$scratch/_ForceCodepage.idt"

rm -f "$output"
(cd "$folder" && "$wixl" -a x64 -o "$output" -I "$here" -D Version="$version" -D ProductCode="$product_code" \
                         -D UpgradeCode="$upgrade_code" "$here/Ortivo.wxs" "$programs_wxs")
# -s takes optional arguments, so last.
"$msibuild" "$output" -i "$scratch/_ForceCodepage.idt" "${queries[@]}" -s "Ortivo $version" Valtrecossin "x64;1041"
