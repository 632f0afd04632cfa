#!/usr/bin/env bash
# scripts/check-layers passes on the tree and fails on each kind of wrong include planted in a
# copy of it: a Qt header in a Qt-free library, an include against the direction of the links,
# tovel-cli including the main window's code, and a header whose name has digits.
set -euo pipefail
source_dir=$1
check="$source_dir/scripts/check-layers"
bash "$check" "$source_dir"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
plant() {  # FILE LINE: copies the tree, adds the line to FILE, and expects a failure naming it
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    for folder in core system ui exercises pdf app cli linord; do
        cp -r "$source_dir/$folder" "$work/tree/"
    done
    echo "$2" >>"$work/tree/$1"
    if bash "$check" "$work/tree" 2>"$work/said"; then
        echo "not caught: $2 in $1" >&2
        exit 1
    fi
    grep -q "$1" "$work/said" || { echo "caught without naming $1:" >&2; cat "$work/said" >&2; exit 1; }
}
plant core/formula.cpp '#include <QString>'
plant exercises/sheet_drawer.cpp '#include <QtGui/QPainter>'
plant core/reaction.h '#include "ui/draw_toolkit.h"'
plant system/text_file.cpp '#include "exercises/problem_text.h"'
plant exercises/problem_text.cpp '#include "app/main_model.h"'
plant cli/cli_app.cpp '#include "app/calculation_model.h"'
plant cli/sheet_command.cpp '#include "pdf/sheet_pdf.h"'
plant core/utf8.cpp '#include "app/x2y.h"'
plant linord/line_sorter.cpp '#include "core/cp1252.h"'
echo "check-layers: 9 planted includes caught"
