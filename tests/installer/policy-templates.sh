#!/usr/bin/env bash
# The Group Policy templates in installer/policy: both valid against the ADMX schema, their
# strings and presentations complete, and their registry values those the program reads
# (policy-layout.py). Copies with one fault each are refused, so the checks are known to bite.
# Needs no Wine.
#
#   policy-templates.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/tools/lib.sh"
admx=$root/installer/policy/norvexa.admx
adml=$root/installer/policy/en-US/norvexa.adml
command -v xmllint >/dev/null || fail "xmllint is missing; run tools/setup"

work=$(mktemp -d)
on_exit rm -rf "$work"
# The schema escapes the dollar sign of its string and presentation references, which XML
# Schema's own regular expressions do not allow and libxml2 refuses; unescaped, it means the same.
cp "$here"/admx-schema/*.xsd "$work/"
sed -i 's/\\\$/$/g' "$work/BaseTypes.xsd"

# Valid against the schema and consistent with each other and with the program.
check() {
  xmllint --noout --schema "$work/PolicyDefinitionFiles.xsd" "$1" "$2" 2>"$work/errors" &&
    python3 "$here/policy-layout.py" "$1" "$2" "$root" 2>>"$work/errors"
}

check "$admx" "$adml" || { cat "$work/errors" >&2; fail "the templates are refused"; }
echo "the templates are valid, complete and write the values the program reads"

# FILE|SED EXPRESSION|the fault|what the refusal says: each copy must be refused, for its fault.
declare -A original=([admx]=$admx [adml]=$adml)
faults=(
  'admx|s/expandable="true"/expandible="true"/|an attribute the schema does not know|expandible'
  'admx|0,/class="Both"/s//class="Everyone"/|a class the schema does not know|Everyone'
  'adml|/id="Method_dod3"/d|a string the ADMX names missing from the ADML|no string Method_dod3'
  'adml|s/<presentation id="Items">/&<text>x<\/text><\/presentation><presentation id="Unused">/|a presentation no policy uses|Unused is used by no policy'
  'adml|s/refId="ReportsKept"/refId="Kept"/|a presentation showing an element the policy lacks|presentation shows'
  'admx|0,/valueName="ReportsKept"/s//valueName="ReportKept"/|a value name the program does not read|ReportKept'
  'admx|s/nv\\Recommended\\Keep\\Places/nv\\Recommended\\Keep\\Paths/|a list under a key the program does not read|Keep\Paths'
  'admx|0,/valuePrefix=""/s// /|a list whose values are named after their texts|not named 1, 2'
  'admx|0,/maxValue="9999"/s//maxValue="999"/|a range other than the program takes|ReportsKept 1 999 '
  'admx|0,/expandable="true"/s///|a folder written as plain text, not expandable|ReportFolder'
  'admx|0,/<string>zero<\/string>/s//<string>zeroes<\/string>/|a method name the program does not know|zeroes'
  'admx|0,/<disabledValue><decimal value="0"/s//<disabledValue><decimal value="2"/|reports off written as 2|disabled 2'
  'admx|0,/<parentCategory ref="Recommended"\/>/s//<parentCategory ref="Norvexa"\/>/|a default among the locked settings|does not say it shows'
)
for case in "${faults[@]}"; do
  IFS='|' read -r which expression what reason <<<"$case"
  cp "$admx" "$work/norvexa.admx"
  cp "$adml" "$work/norvexa.adml"
  sed -i "$expression" "$work/norvexa.$which"
  ! cmp -s "$work/norvexa.$which" "${original[$which]}" || fail "the case of $what changed nothing"
  ! check "$work/norvexa.admx" "$work/norvexa.adml" || fail "accepted $what"
  grep -qF -- "$reason" "$work/errors" || fail "refused $what, but not for it: $(cat "$work/errors")"
  echo "refused: $what"
done
