#!/usr/bin/env bash
# Looks at the pages the printing tests wrote with Wine's PostScript driver:
# ghostscript's bounding box of each page must be the black bar the test's
# page painter drew there (a tenth of an A4 page in from the left, a fifth
# wide, a tenth high, page n tenths down from the top), in points.
#   check_pages.sh <folder with all.ps and range.ps>
set -uo pipefail
dir=$1
status=0

# expect <file> <page numbers the file holds, in order>
expect() {
  local file=$dir/$1; shift
  if [ ! -s "$file" ]; then echo "check_pages: $file missing" >&2; status=1; return; fi
  local boxes
  boxes=$(gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bbox "$file" 2>&1 | grep '^%%HiResBoundingBox')
  local count
  count=$(printf '%s\n' "$boxes" | grep -c .)
  if [ "$count" -ne $# ]; then
    echo "check_pages: $1 has $count pages, expected $#" >&2; status=1; return
  fi
  local i=1
  for page in "$@"; do
    local box
    box=$(printf '%s\n' "$boxes" | sed -n "${i}p" | cut -d' ' -f2-)
    if ! awk -v n="$page" -v box="$box" 'BEGIN {
          split(box, b, " ");
          w = 595; h = 842; tol = 2;
          want[1] = w / 10; want[2] = h - (n + 1) * h / 10;
          want[3] = 3 * w / 10; want[4] = h - n * h / 10;
          for (k = 1; k <= 4; k++) if (b[k] < want[k] - tol || b[k] > want[k] + tol) exit 1;
        }'; then
      echo "check_pages: $(basename "$file") page $i (page $page of the document): box $box" >&2
      status=1
    fi
    i=$((i + 1))
  done
}

expect all.ps 1 2 3
expect range.ps 2 3
expect stopped.ps 1 2
expect beyond.ps 3
[ $status -eq 0 ] && echo "check_pages: all pages as painted"
exit $status
