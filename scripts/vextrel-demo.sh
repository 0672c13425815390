#!/usr/bin/env bash
# Runs vextrel on a demonstration job, on a bare Debian 12 machine as root:
# installs what is missing, builds vextrel and the demonstration page maker,
# prints the three pages of job 12 with the project's own report engine into
# the work folder KR/ of a fresh demo folder, and has vextrel build the job's
# documents there: the HTML body file out/kr12.html, KR/12.RTF and its named
# copy KR/Report.RTF. Everything is left in build/vextrel-demo for a look.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vextrel vextrel-demo-pages -j"$(nproc)"

bin="$PWD/build/cmdmailer"
demo="$PWD/build/vextrel-demo"
rm -rf "$demo"
mkdir -p "$demo/KR" "$demo/out"
cd "$demo"

"$bin/demo_job/vextrel-demo-pages" 12 3 KR
"$bin/program/vextrel" 12 2 "MakeHTMLFileBMKSW('out/kr12.html',3,16777215,100,'Report','','Arial',3,0,197,197,8270,11530,2,0,'A4')"

ls -l "$demo/out" "$demo/KR"
cmp KR/12.RTF KR/Report.RTF
echo "vextrel built job 12 in $demo"
