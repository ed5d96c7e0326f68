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

# check ADMX ADML SOURCE_ROOT: valid against the schema, consistent with each other and with the
# program's sources.
check() {
  xmllint --noout --schema "$work/PolicyDefinitionFiles.xsd" "$1" "$2" 2>"$work/errors" &&
    python3 "$here/policy-layout.py" "$@" 2>>"$work/errors"
}

check "$admx" "$adml" "$root" || { cat "$work/errors" >&2; fail "the templates are refused"; }
echo "the templates are valid, complete and write the values the program reads"

# refused FILE SED_EXPRESSION FAULT REASON: a copy of the templates and of the sources they are
# held to, FILE (admx, adml or reader, run/Policy.cpp) changed by the expression, is refused
# with REASON in what is said.
refused() {
  local copy=$work/copy
  rm -rf "$copy"
  mkdir -p "$copy/product" "$copy/run"
  cp "$root/product/Product.h" "$root/product/StoredSettings.h" "$copy/product/"
  cp "$root/run/Policy.cpp" "$copy/run/"
  cp "$admx" "$adml" "$copy/"
  declare -A file=([admx]=$copy/norvexa.admx [adml]=$copy/norvexa.adml
    [reader]=$copy/run/Policy.cpp)
  cp "${file[$1]}" "$copy/before"
  sed -i "$2" "${file[$1]}"
  ! cmp -s "$copy/before" "${file[$1]}" || fail "the case of $3 changed nothing"
  ! check "$copy/norvexa.admx" "$copy/norvexa.adml" "$copy" || fail "accepted $3"
  grep -qF -- "$4" "$work/errors" || fail "refused $3, but not for it: $(cat "$work/errors")"
  echo "refused: $3"
}

refused admx 's/expandable="true"/expandible="true"/' \
  "an attribute the schema does not know" expandible
refused adml '/id="Method_dod3"/d' \
  "a string the ADMX names missing from the ADML" "no string Method_dod3"
refused admx '0,/valueName="ReportsKept"/s//valueName="ReportKept"/' \
  "a value name the program does not read" ReportKept
refused reader 's/L"\\\\Recommended"/L"\\\\Defaults"/' \
  "defaults the program reads under another key" "reads nothing named Recommended"
