// SPDX-License-Identifier: GPL-3.0-or-later
// Linked with one layer's whole library and only the layers it may use: an
// undefined symbol means a call against the layers' arrows.
int main() { return 0; }
