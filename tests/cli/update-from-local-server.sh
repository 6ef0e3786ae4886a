#!/usr/bin/env bash
# mervasto-cli update against a local web server (Python's http.server on 127.0.0.1) that holds
# a new month of the carried data: 10 postal codes gone, 3 new. The update must give exactly the
# tables that a build of that file gives and report 10 and 3; an HTML page, a cut-short zip and
# a missing file are refused with the tables unchanged; a revert brings the old set back.
# Usage: update-from-local-server.sh MERVASTO-CLI DATA-DIR (the carried ken_all.zip, jigyosyo.zip)
set -uo pipefail
cli=$1
carried=$2
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
tables() { (cd "$1" && sha256sum ZIPCODE.txt ZIPID1.txt ZipCode1.txt ZipCode2.txt); }

mkdir -p "$work/site" "$work/tables" "$work/reference"
python3 - "$carried/ken_all.zip" "$work/site" <<'PY' || exit 1
import sys, zipfile
source, site = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(source) as archive:
    rows = archive.read("KEN_ALL.CSV").split(b"\r\n")[:-1]
code = lambda row: row.split(b",")[2]
counts = {}
for row in rows:
    counts[code(row)] = counts.get(code(row), 0) + 1
gone = [c for c in sorted(counts) if counts[c] == 1][100:110]
kept = [row for row in rows if code(row) not in gone]
template = kept[-1].split(b",")
for number in (b'"0000001"', b'"0000002"', b'"0000003"'):
    kept.append(b",".join(template[:2] + [number] + template[3:]))
info = zipfile.ZipInfo("KEN_ALL.CSV", (2025, 10, 31, 0, 0, 0))
with zipfile.ZipFile(site + "/ken_all.zip", "w", zipfile.ZIP_DEFLATED) as archive:
    archive.writestr(info, b"\r\n".join(kept) + b"\r\n")
PY
cp "$carried/jigyosyo.zip" "$work/site/"
head -c 50000 "$work/site/ken_all.zip" >"$work/site/cut.zip"
printf '<!DOCTYPE html>\n<html><body>moved</body></html>\n' >"$work/site/moved.html"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
server=$!
site=http://127.0.0.1:$port
for _ in $(seq 50); do
    python3 -c "import urllib.request; urllib.request.urlopen('$site/jigyosyo.zip')" 2>/dev/null && break
    sleep 0.1
done

run() { "$cli" --data-dir "$work/tables" "$@"; }
run build national --yes "$carried/ken_all.zip" >/dev/null || fail "first national build"
run build offices --yes "$carried/jigyosyo.zip" >/dev/null || fail "first office build"
before=$(tables "$work/tables")

for bad in "moved.html" "cut.zip" "missing.zip"; do
    run update --yes --national "$site/$bad" --offices "$site/jigyosyo.zip" >/dev/null 2>&1
    status=$?
    [ "$status" -ne 0 ] || fail "$bad was taken (exit 0)"
    [ "$(tables "$work/tables")" = "$before" ] || fail "$bad changed the tables"
done

report=$(run update --yes --national "$site/ken_all.zip" --offices "$site/jigyosyo.zip") ||
    fail "update exited $?"
grep -q '^廃止された郵便番号: 10 件$' <<<"$report" || fail "10 codes gone not reported: $report"
grep -q '^追加された郵便番号: 3 件$' <<<"$report" || fail "3 new codes not reported: $report"
"$cli" --data-dir "$work/reference" build national --yes "$work/site/ken_all.zip" >/dev/null
"$cli" --data-dir "$work/reference" build offices --yes "$work/site/jigyosyo.zip" >/dev/null
[ "$(tables "$work/tables")" = "$(tables "$work/reference")" ] ||
    fail "the updated tables differ from a build of the new month"
run search 0000001 | grep -q '000-0001' || fail "a new code is not found"

run update --revert --yes >/dev/null || fail "revert exited $?"
[ "$(tables "$work/tables")" = "$before" ] || fail "revert did not bring the old tables back"
run update --revert --yes >/dev/null || fail "second revert exited $?"
[ "$(tables "$work/tables")" = "$(tables "$work/reference")" ] ||
    fail "the second revert did not bring the update back"

[ "$failures" -eq 0 ] && echo "update from a local server: ok"
[ "$failures" -eq 0 ]
