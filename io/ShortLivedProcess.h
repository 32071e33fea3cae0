#pragma once

// For programs that load, write and end within milliseconds (tessaro-cli,
// tessaro-script): memory freed on the way is kept for the next picture
// instead of going back to the system, so a picture's buffer reuses pages
// that are already mapped. Each fresh page costs a fault, and in a
// load-and-save run the faults cost as much as the encoding. Without glibc
// (Windows) it does nothing.
void KeepFreedMemoryForReuse();
