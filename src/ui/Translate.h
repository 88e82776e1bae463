// SPDX-License-Identifier: GPL-3.0-or-later
// Marks a text the player sees so that lupdate collects it for translation.
// The game keeps and compares the Portuguese text itself; the desktop front
// end looks the whole text up in the context "pelmar" when it shows it. The
// context is written out at every use because lupdate reads it from there.
#pragma once

#define PELMAR_TR(context, text) text
