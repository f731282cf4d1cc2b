#!/usr/bin/env bash
# Looks at the pages Zavit printed through Wine's PostScript driver: two A4
# pages, each with ink (the lines of text) starting near its top left, the
# first page filled further down than the second, and the text's lines on
# them in order.
#   check_printed.sh <the PostScript file>
set -uo pipefail
file=$1
if [ ! -s "$file" ]; then echo "check_printed: $file missing" >&2; exit 1; fi
boxes=$(gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bbox "$file" 2>&1 | grep '^%%HiResBoundingBox')
count=$(printf '%s\n' "$boxes" | grep -c .)
if [ "$count" -ne 2 ]; then echo "check_printed: $count pages, expected 2" >&2; exit 1; fi
status=0
i=1
while read -r _ x0 y0 x1 y1; do
  # Ink must start within the first tenth from the left and reach the top
  # tenth of the 842-point page.
  if ! awk -v x0="$x0" -v y1="$y1" 'BEGIN { exit !(x0 > 0 && x0 < 60 && y1 > 758) }'; then
    echo "check_printed: page $i box $x0 $y0 $x1 $y1" >&2; status=1
  fi
  bottoms[$i]=$y0
  i=$((i + 1))
done <<< "$boxes"
# The first page is full, the second holds the rest.
if ! awk -v a="${bottoms[1]}" -v b="${bottoms[2]}" 'BEGIN { exit !(a < b) }'; then
  echo "check_printed: page 1 reaches down to ${bottoms[1]}, page 2 to ${bottoms[2]}" >&2; status=1
fi
# The text: the tab expanded, page 2 going on where page 1 ends.
page_text() {
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -dFirstPage="$1" -dLastPage="$1" \
    -sOutputFile=- "$file" 2>/dev/null | tr -d '\r\f' | sed 's/^ *//; s/ *$//; s/  */ /g' | grep .
}
first=$(page_text 1)
second=$(page_text 2)
last_on_first=$(printf '%s\n' "$first" | tail -n1 | sed -n 's/^line \([0-9]*\) .*/\1/p')
if [ "$(printf '%s\n' "$first" | head -n1)" != "line 1 after a tab" ] || [ -z "$last_on_first" ] ||
   [ "$(printf '%s\n' "$second" | head -n1)" != "line $((last_on_first + 1)) after a tab" ] ||
   [ "$(printf '%s\n' "$second" | tail -n1)" != "line 100 after a tab" ]; then
  echo "check_printed: the lines on the pages are not the text's" >&2
  printf 'page 1:\n%s\npage 2:\n%s\n' "$first" "$second" >&2
  status=1
fi
[ $status -eq 0 ] && echo "check_printed: two pages of lines"
exit $status
