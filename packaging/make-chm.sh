#!/bin/bash
# Compiles the HTML manual into the help file the Help menu opens (ZipCode.chm).
#
# Usage: packaging/make-chm.sh SRC_DIR OUT_FILE
#   SRC_DIR   the manual's sources (docs/manual): UTF-8 pages and ZipCode.hhp/.hhc/.hhk
#   OUT_FILE  the .chm file to write
#
# The Windows help viewer reads the titles of the contents, the index and the pages in the
# help file's language code page, Japanese CP932, and chmcmd copies them byte for byte. So
# the sources stay UTF-8 and a temporary copy is converted with iconv before compiling.
# Needs chmcmd (Debian package fp-utils) and iconv.
set -euo pipefail

die() {
    echo "make-chm.sh: $*" >&2
    exit 1
}

[[ $# -eq 2 ]] || die "usage: make-chm.sh SRC_DIR OUT_FILE"
src_dir=$1
out_file=$2
[[ -f $src_dir/ZipCode.hhp ]] || die "no ZipCode.hhp in $src_dir"
command -v chmcmd >/dev/null || die "chmcmd not found (apt-get install fp-utils)"
command -v iconv >/dev/null || die "iconv not found"

out_dir=$(cd "$(dirname "$out_file")" && pwd) || die "no directory for $out_file"
out_path=$out_dir/$(basename "$out_file")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$src_dir"/. "$work"/

to_cp932() {
    local file=$1
    iconv -f UTF-8 -t CP932 "$file" >"$file.cp932" || die "${file#"$work"/} holds a character that CP932 cannot hold"
    mv "$file.cp932" "$file"
}

shopt -s nullglob
for page in "$work"/*.html; do
    sed -i -e 's/charset="utf-8"/charset="shift_jis"/' -e 's/charset=utf-8/charset=shift_jis/' "$page"
    to_cp932 "$page"
done
for project_file in "$work"/*.hhp "$work"/*.hhc "$work"/*.hhk; do
    to_cp932 "$project_file"
done

log=$work/chmcmd.log
if ! (cd "$work" && chmcmd ZipCode.hhp) >"$log" 2>&1; then
    cat "$log" >&2
    die "chmcmd failed"
fi
if grep -qiE 'error|warning|not found' "$log"; then
    cat "$log" >&2
    die "chmcmd reported problems"
fi
[[ -s $work/ZipCode.chm ]] || die "chmcmd wrote no ZipCode.chm"

cp "$work/ZipCode.chm" "$out_path.tmp"
mv "$out_path.tmp" "$out_path"
echo "make-chm.sh: wrote $out_path ($(stat -c %s "$out_path") bytes)"
