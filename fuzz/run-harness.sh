#!/usr/bin/env bash
# Runs one libFuzzer harness for a number of seconds on its seeds, its kept findings and the
# inputs earlier runs found (fuzz/out/NAME). A crash leaves its input in fuzz/out/NAME-crashes.
set -euo pipefail
binary=$1 name=$2 seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
declare -A max_len=([project_file]=20000 [raw_import]=20000 [clipboard_text]=65536
                    [number_field]=64 [unpack_runs]=8192 [pack_runs]=8192 [png_import]=65536)
# A harness with a dictionary of its own (NAME.dict) uses it instead of the project file's.
dict="$here/sprj.dict"
[ -f "$here/$name.dict" ] && dict="$here/$name.dict"
out="$here/out/$name"
mkdir -p "$out" "$out-crashes" "$here/regressions/$name"
echo "== $name: ${seconds}s"
"$binary" -max_total_time="$seconds" -max_len="${max_len[$name]}" -rss_limit_mb=2560 \
  -dict="$dict" -artifact_prefix="$out-crashes/" -print_final_stats=1 \
  "$out" "$here/corpus/$name" "$here/regressions/$name" 2>&1 | grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|==|SUMMARY|.*ERROR)' || true
# A crash file means a finding: fail so it gets fixed and kept as a regression case.
if compgen -G "$out-crashes/*" > /dev/null; then
  echo "findings in $out-crashes:"; ls "$out-crashes"; exit 1
fi
