#!/usr/bin/env bash
# Looks at the pages Ovanta printed through Wine's PostScript driver: three
# pages (the document's two form feeds end the first two), each with the
# banner (file name and page text) and the numbered lines it should hold.
#   check_printed.sh <the PostScript file>
set -uo pipefail
file=$1
if [ ! -s "$file" ]; then echo "check_printed: $file missing" >&2; exit 1; fi
page_text() {
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -dFirstPage="$1" -dLastPage="$1" \
    -sOutputFile=- "$file" 2>/dev/null | tr -d '\r\f' | sed 's/^ *//; s/ *$//; s/  */ /g' | grep .
}
status=0
expect() { # page, the lines it holds after its banner
  local page=$1; shift
  local text
  text=$(page_text "$page")
  local banner
  banner=$(printf '%s\n' "$text" | head -n1)
  case "$banner" in
    "pages.txt"*"- $page -") ;;
    *) echo "check_printed: page $page banner '$banner'" >&2; status=1 ;;
  esac
  local want
  want=$(printf '%s\n' "$@")
  local got
  got=$(printf '%s\n' "$text" | tail -n +2)
  if [ "$got" != "$want" ]; then
    printf 'check_printed: page %s holds\n%s\nexpected\n%s\n' "$page" "$got" "$want" >&2
    status=1
  fi
}
expect 1 "01 one" "02 two"
expect 2 "03 three" "04 four"
# The text ends with a line end: its last line is empty.
expect 3 "05 five" "06"
[ $status -eq 0 ] && echo "check_printed: three pages with banner and numbered lines"
exit $status
