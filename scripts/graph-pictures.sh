#!/usr/bin/env bash
# Makes the manual's picture of every graph kind with the program itself: orvel-batch runs each
# graph's keyword on the bundled example data and `savegraph` writes docs/manual/NAME.png
# (600 x 450, the same drawing the desktop program saves).
#
#   scripts/graph-pictures.sh            all pictures
#   scripts/graph-pictures.sh NAME...    only those (e.g. graph_histogram)
#
# Each graph kind is one `picture` line at the end of this file:
#   picture NAME DATA 'MACRO STATEMENTS' 'ANSWER LINES'
# The statements draw the graph (savegraph is appended); the answer lines answer its questions
# and settings sheet as an answers file does (docs/batch.md), one per line.
set -euo pipefail
cd "$(dirname "$0")/.."

batch=${ORVEL_BATCH:-build/orvel-batch}
if [ ! -x "$batch" ]; then
  cmake -S . -B build >/dev/null
  cmake --build build --target orvel-batch
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wanted=("$@")

picture() {
  local name=$1 data=$2 macro=$3 answers=$4
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $name "* ]]; then return 0; fi
  printf '%s\nsavegraph;\n' "$macro" >"$work/$name.ovm"
  printf '%s\nfile %s\n' "$answers" "$work/$name.png" >"$work/$name.answers"
  if ! "$batch" --answers "$work/$name.answers" "$data" "$work/$name.ovm" >/dev/null 2>"$work/$name.err" ||
     [ -s "$work/$name.err" ] || [ ! -s "$work/$name.png" ]; then
    echo "graph-pictures: $name was not drawn:" >&2
    cat "$work/$name.err" >&2
    exit 1
  fi
  mv "$work/$name.png" "docs/manual/$name.png"
  echo "docs/manual/$name.png"
}

# ---- One line per graph kind --------------------------------------------------------------
picture graph_scatter examples/graphs.txt \
  'setxvalue (1); setyvalue (2); scatter;' \
  'dialog "Setting for Scatter Plot" x_max=10 x_min=0 x_scale=0.5 y_max=50 y_min=0 y_scale=2.5 title="Weight by dose"'
picture graph_histogram examples/heights.txt \
  'selectcell (1,1)::(1,1); histogram;' \
  'dialog "Setting for Histogram"'
picture graph_matrix examples/graphs.txt \
  'setmultiyvalue (2); setmultixvalue (1,1); setmultixvalue (3,1); setmultixvalue (4,1); scatterm;' \
  'dialog "Setting for scatter plot matrix"'
picture graph_line_two examples/growth.txt \
  'setxvalue (1); setyvalue (2); oresenxy;' \
  'dialog "Setting for Line Plot (Oneway Two Groups)"'
picture graph_line_groups examples/growth.txt \
  'setonefactor (1,true); setonefactor (2,true); setonefactor (3,true); oresenone;' \
  'dialog "Setting for Line Plot (Oneway Three Groups or More)" error_bar=se'
picture graph_line_related examples/growth.txt \
  'setxvalue (1); setyvalue (2); oresenxypaired;' \
  'dialog "Setting for Line Plot (Oneway Two Related Groups)"'
picture graph_line_profiles examples/growth.txt \
  'setonefactor (1,true); setonefactor (2,true); setonefactor (3,true); oresenonepaired;' \
  'dialog "Setting for line plot (Oneway Three related groups or more)"'
picture graph_line_twoway examples/growth.txt \
  'settwofactor (1,1,1); settwofactor (1,2,2); settwofactor (1,3,3); settwofactor (2,1,4); settwofactor (2,2,5); settwofactor (2,3,6); settwofactor (3,1,7); settwofactor (3,2,8); settwofactor (3,3,9); settwofactorlabela (1,"Male"); settwofactorlabela (2,"Female"); settwofactorlabela (3,"Young"); settwofactorlabelb (1,"0 h"); settwofactorlabelb (2,"2 h"); settwofactorlabelb (3,"4 h"); oresentwo;' \
  'dialog "Setting for line plot (Twoway data)"'
picture graph_box_two examples/graphs.txt \
  'setxvalue (3); setyvalue (4); hakohigexy;' \
  'dialog "Setting for box plot (Oneway Two groups)"'
picture graph_box_groups examples/graphs.txt \
  'setonefactor (3,true); setonefactor (4,true); setonefactor (5,true); hakohigeone;' \
  'dialog "Setting for box plot (Oneway Three groups or more)"'
picture graph_bar_two examples/graphs.txt \
  'setxvalue (3); setyvalue (4); bargraphxy;' \
  'dialog "Setting for Bar Plot (Oneway Two Groups)"'
picture graph_bar_groups examples/graphs.txt \
  'setonefactor (3,true); setonefactor (4,true); setonefactor (5,true); bargraphone;' \
  'dialog "Setting for Bar Plot (Oneway Three Groups or More)" error=se'
picture graph_bar_twoway examples/harvest.txt \
  'settwofactor (1,1,1); settwofactor (1,2,2); settwofactor (1,3,3); settwofactor (2,1,4); settwofactor (2,2,5); settwofactor (2,3,6); settwofactorlabela (1,"No fertiliser"); settwofactorlabela (2,"Fertiliser"); settwofactorlabelb (1,"Week 2"); settwofactorlabelb (2,"Week 4"); settwofactorlabelb (3,"Week 6"); bargraphtwo;' \
  'dialog "Setting for Bar Plot (Twoway Data)" title="Yield by week and fertiliser"'
