#!/usr/bin/env bash
# Builds the HTML reference into <out>/html from the headers and the component
# pictures in <out>/pictures (written by the gallery), and prints how many
# public members are still undocumented.
#   docs/reference/build.sh <out>
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$1
pictures=$out/pictures

# One section per component: its picture, on the class page and in the index.
{
  echo "/*! \\page components Components"
  echo
  for png in "$pictures"/*.png; do
    cls=$(basename "$png" .png)
    echo "\\section ${cls}_sec ${cls}"
    echo "\\ref qor::${cls} \\n"
    echo "\\image html ${cls}.png"
  done
  echo "*/"
  for png in "$pictures"/*.png; do
    cls=$(basename "$png" .png)
    echo "/*! \\class qor::${cls}"
    echo "\\image html ${cls}.png \"${cls} in the gallery\" */"
  done
} >"$out/components.dox"

log=$out/warnings.log
{
  cat docs/reference/Doxyfile
  echo "INPUT += $out/components.dox"
  echo "OUTPUT_DIRECTORY = $out"
  echo "IMAGE_PATH = $pictures"
  echo "WARN_LOGFILE = $log"
} | doxygen - >/dev/null

# Doxygen repeats an inherited member's warning for every derived class; each
# declaration counts once.
undoc=$(grep "is not documented" "$log" | sed -E "s#^$(pwd)/##" | sort -u -t: -k1,2 || true)
undocumented=$(printf '%s' "$undoc" | grep -c . || true)
other=$(grep -vc "is not documented" "$log" || true)
echo "reference: $out/html/index.html"
echo "undocumented public declarations: $undocumented; other documentation warnings: $other (list: $log)"
echo "per folder:"
printf '%s\n' "$undoc" | sed -E "s#/.*##" | grep . | sort | uniq -c | sort -rn | sed 's/^/  /'
