#!/usr/bin/env bash
# Prints the database benchmark figures, natively and under Wine: throughput
# against the 128-byte block floor and awk, and peak memory for 1 MB and 50 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native-release >/dev/null && cmake --build --preset native-release >/dev/null
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target database_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
native=build/native-release/bench/database_bench
win="cmake/wine-run.sh $PWD/build/win64/wineprefix build/win64/bench/database_bench.exe"
$native generate "$work/db1.ini" 3000
$native generate "$work/db50.ini" 150000
$native generate-line "$work/line10.ini" 10
$native generate "$work/db1g.ini" 3000000   # about 1 GB

echo "== native"
$native run "$work/db50.ini" 5
$native peak "$work/db1.ini"
$native peak "$work/db50.ini"
echo "-- huge inputs: a 10 MB line is held whole; a 1 GB database needs no more memory than a 1 MB one"
$native peak "$work/line10.ini"
$native peak "$work/db1g.ini"
echo "== Windows build under Wine"
$win run "Z:${work//\//\\}\\db50.ini" 3
$win peak "Z:${work//\//\\}\\db1.ini"
$win peak "Z:${work//\//\\}\\db50.ini"
