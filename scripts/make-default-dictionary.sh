#!/usr/bin/env bash
# Builds the default dictionary, data/generated/ZovovUvoz2.dat, from Debian's Tibetan OCR
# language data: its word list (an LSTM word DAWG, Apache-2.0) unpacked with the tesseract tools,
# reduced to words written in the Tibetan block, and written by `revaze dict build` with its
# prepared index, ZovovUvoz2.idx.
# Usage: make-default-dictionary.sh PATH/TO/revaze
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
revaze=${1:?usage: make-default-dictionary.sh PATH/TO/revaze}
out=$root/data/generated
dict=$out/ZovovUvoz2.dat
traineddata=/usr/share/tesseract-ocr/5/tessdata/bod.traineddata
if [ -s "$dict" ] && [ "$dict" -nt "$traineddata" ]; then
    # The index is rewritten every time (a few milliseconds): one made by an older tool, or
    # none at all, would leave every run building it in memory.
    "$revaze" dict index "$dict" 2>/dev/null
    exit 0
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$traineddata" "$work/bod.traineddata"
(cd "$work" && combine_tessdata -u bod.traineddata bod. >/dev/null 2>&1)
dawg2wordlist "$work/bod.lstm-unicharset" "$work/bod.lstm-word-dawg" "$work/words.txt" >/dev/null 2>&1
# Keep the words made only of Tibetan-block characters (the list also holds numbers and symbols).
python3 - "$work/words.txt" "$out/words.txt" <<'PY'
import sys
src, dst = sys.argv[1], sys.argv[2]
with open(src, encoding="utf-8", errors="replace") as f, open(dst, "w", encoding="utf-8") as g:
    for line in f:
        w = line.strip()
        if w and all(0x0F00 <= ord(c) <= 0x0FFF for c in w):
            g.write(w + "\n")
PY
"$revaze" dict build "$out/words.txt" -o "$dict"
