#pragma once

#include <functional>

#include "core/Form.h"

// The rubber band of the two-point tools: the shape is drawn into the chip
// itself, the views are shown from the chip, and the chip is then put back
// from PreviewImage. The views show the shape exactly as the second press
// would leave it, while the chip's pixels stay as they were. No undo copy is
// taken and Modified is not touched.
void ShowRubberBand(TForm1& form, const std::function<void(TForm1&)>& drawShape);
