#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings translations/*.ts (or the .ts files named) up to date with the texts
# marked in the code (TSR_TEXT and TSR_MESSAGE, read as QT_TRANSLATE_NOOP).
# New texts come in unfinished; texts gone from the code are marked vanished.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
if (($#)); then files=("$@"); else files=(translations/*.ts); fi
"$lupdate" -silent -locations none -source-language ja -tr-function-alias \
  QT_TRANSLATE_NOOP+=TSR_TEXT,QT_TRANSLATE_NOOP+=TSR_MESSAGE \
  core io edit ui app -ts "${files[@]}"
