// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every step of a save that changes what a folder holds (a journal written,
// a file swapped in, an earlier file removed, a write in place) is counted
// here. With TESSARO_KILL_AT_SAVE_STEP=N in the environment the process is
// killed right after the Nth step, as a power cut or `kill -9` would stop
// it there, so that a test can stop a save at every step and check what the
// next run finds. Without it a step costs a look at the environment.
void SaveStepDone();
