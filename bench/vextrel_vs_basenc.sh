#!/usr/bin/env bash
# The whole RTF stage of vextrel against coreutils' basenc, side by side.
#
# Writes 255 page files of 512 KiB of random bytes (job 12) into the work
# folder KR/ of a fresh folder under $TMPDIR (else /tmp; keep it on a disk,
# not a tmpfs, as a user's work folder would be), and the same page bytes,
# without their 22-byte headers, into one file. Then it runs, alternately and
# --repeat times each:
#
#   vextrel 12 2 "MakeHTMLFileBMKSW('out/kr12.html',255,...,2,0,'A4')"
#       the whole program: start-up, goods report, HTML body, the RTF
#       document KR/12.RTF with every page as hexadecimal text, and its
#       named copy KR/Report.RTF;
#   basenc --base16 -w0 pages.bin > hex.out
#       nothing but hexing the same bytes into a file.
#
# Every output is removed before each run, outside the time. It prints the
# median wall time of each command, the ratio of each vextrel to basenc
# (below 1.0: the whole run is faster than hexing alone) and the peak
# resident size of each vextrel, with these pages and then with small and
# with large ones, which shows whether the peak follows the page size.
#
#   bench/vextrel_vs_basenc.sh [--repeat N] [--page-kib K] [VEXTREL ...]
#
# VEXTREL defaults to build/cmdmailer/program/vextrel; give two programs
# (say, the one before a change and the one after it) to time them in the
# same alternation.
set -euo pipefail

repeat=7
page_kib=512
pages=255
programs=()
while [[ $# -gt 0 ]]; do
    case "$1" in
    --repeat) repeat="$2"; shift 2 ;;
    --page-kib) page_kib="$2"; shift 2 ;;
    *) programs+=("$(realpath "$1")"); shift ;;
    esac
done
if [[ ${#programs[@]} -eq 0 ]]; then
    programs=("$(realpath "$(dirname "$0")/../build/cmdmailer/program/vextrel")")
fi
for p in "${programs[@]}"; do
    [[ -x "$p" ]] || { echo "no program $p (build it first)" >&2; exit 1; }
done
command -v basenc >/dev/null || { echo "basenc is missing: apt-get install coreutils" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time is missing: apt-get install time" >&2; exit 1; }

folder="$(mktemp -d "${TMPDIR:-/tmp}/vextrel-bench-XXXXXX")"
trap 'rm -rf "$folder"' EXIT
cd "$folder"
export QT_QPA_PLATFORM=offscreen

make_pages() { # folder kib [count]
    mkdir -p "$1/KR" "$1/out"
    for ((i = 1; i <= ${3:-$pages}; i++)); do
        head -c $(($2 * 1024)) /dev/urandom >"$1/KR/12$i.wmf"
    done
}

call() { # page count
    echo "MakeHTMLFileBMKSW('out/kr12.html',$1,16777215,100,'Report','','Arial',3,0,197,197,8270,11530,2,0,'A4')"
}

now() { date +%s%N; }

label() { echo "vextrel $(basename "$(dirname "$1")")/$(basename "$1")"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

make_pages "$folder" "$page_kib"
for ((i = 1; i <= pages; i++)); do tail -c +23 "KR/12$i.wmf"; done >pages.bin

# One run of program n: the time goes to times.n, the peak to peaks.n.
run_vextrel() {
    local n="$1" t0 t1
    rm -f KR/12.RTF KR/Report.RTF out/kr12.html
    t0="$(now)"
    /usr/bin/time -f %M -o peak.last "${programs[$n]}" 12 2 "$(call "$pages")" >/dev/null
    t1="$(now)"
    echo $(((t1 - t0) / 1000)) >>"times.$n"
    cat peak.last >>"peaks.$n"
    [[ -s KR/Report.RTF ]] || { echo "${programs[$n]} wrote no KR/Report.RTF" >&2; exit 1; }
}

run_basenc() {
    local t0 t1
    rm -f hex.out
    t0="$(now)"
    /usr/bin/time -f %M -o peak.last basenc --base16 -w0 pages.bin >hex.out
    t1="$(now)"
    echo $(((t1 - t0) / 1000)) >>times.basenc
}

for ((r = 0; r < repeat; r++)); do
    for n in "${!programs[@]}"; do
        run_vextrel "$n"
        run_basenc
    done
done

input_mb="$(awk -v b="$(stat -c %s pages.bin)" 'BEGIN { printf "%.1f", b / 1e6 }')"
document_mb="$(awk -v b="$(stat -c %s KR/12.RTF)" 'BEGIN { printf "%.1f", b / 1e6 }')"
basenc_us="$(median <times.basenc)"
echo "vextrel against basenc: $pages pages of $page_kib KiB ($input_mb MB of page bytes, document $document_mb MB)"
echo "in $folder, $repeat alternating runs each, medians; load average $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-44s %8.3f s\n' "basenc --base16 -w0 (hexing alone)" "$(awk -v u="$basenc_us" 'BEGIN { print u / 1e6 }')"
for n in "${!programs[@]}"; do
    us="$(median <"times.$n")"
    printf '%-44s %8.3f s  ratio %.2f  peak %s KiB\n' "$(label "${programs[$n]}")" \
        "$(awk -v u="$us" 'BEGIN { print u / 1e6 }')" "$(awk -v a="$us" -v b="$basenc_us" 'BEGIN { print a / b }')" \
        "$(median <"peaks.$n")"
done

# The peak of each program with 32 pages of 16 KiB and with 32 pages of
# 4 MiB: a writer that streams its pages peaks at the same size for both.
for kib in 16 4096; do
    peak_folder="$folder/peak-$kib"
    make_pages "$peak_folder" "$kib" 32
    cd "$peak_folder"
    for n in "${!programs[@]}"; do
        /usr/bin/time -f %M -o peak.last "${programs[$n]}" 12 2 "$(call 32)" >/dev/null
        printf '%-44s peak %s KiB with 32 pages of %s KiB\n' "$(label "${programs[$n]}")" "$(cat peak.last)" "$kib"
    done
done
