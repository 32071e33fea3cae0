#pragma once

#include "core/Form.h"

// With the undo history on, takes its newest step back and returns true;
// with it off returns false and leaves undo to the one-level copy.
bool UndoFromHistory(TForm1& form);
