#pragma once

class TForm1;

// Saves every chip of the sheet as a 24-bit BMP of its own, named by
// TForm1::NumberedChipName from a base the user gives; asks once before any
// existing file is replaced.
void SaveNumberedChips(TForm1& form);
