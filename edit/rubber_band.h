// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/Form.h"

// The rubber band of the two-point tools: the shape is drawn into the chip
// itself, the views are shown from the chip, and the chip is then put back
// from PreviewImage. The views show the shape exactly as the second press
// would leave it, while the chip's pixels stay as they were. No undo copy is
// taken and Modified is not touched. A block is drawn into a picture of
// its own, which the views show in the chips' place.
void ShowRubberBand(TForm1& form, const std::function<void(canvas::Picture&)>& drawShape);
