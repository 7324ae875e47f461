#!/usr/bin/env bash
# Applies the house style (.clang-format) to every tracked C++ source.
# With --check it only lists the files that are not in the style.
# pdf/PdfFontWidths.cpp is left alone: tools/gen_pdf_widths.py writes it and
# its test compares it byte for byte with the generator's output.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' '*.hpp' | grep -v '^pdf/PdfFontWidths\.cpp$')
if [[ "${1:-}" == "--check" ]]; then
    bad=0
    for f in "${files[@]}"; do
        clang-format "$f" | cmp -s - "$f" || { echo "$f"; bad=1; }
    done
    exit $bad
fi
clang-format -i "${files[@]}"
