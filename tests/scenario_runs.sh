#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the scenarios of one directory in the order of their names, each in a
# tessaro-script of its own, in one scratch directory whose recovery folder
# and preferences they share: what one run leaves behind, the next one finds.
# The first run that does not pass ends the test with its status.
set -u
work=$1 fixtures=$2 data=$3 driver=$4 dir=$5
rm -rf "$work" && mkdir -p "$work" && cd "$work" && ln -s "$fixtures" fixtures && ln -s "$data" testdata || exit 2
XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"
export XDG_STATE_HOME XDG_CONFIG_HOME
for script in "$dir"/*.scn; do
  echo "== $script"
  "$driver" "$script" || exit $?
done
