// The information dialog: numbered guidance messages with "Visa inte igen", and yes/no questions.
#pragma once
#include <string>

namespace vildo {

struct WindowState;

constexpr int kInfoFlagCount = 51;

// Start-up: flags 0..49 show, flag 50 does not; "Info.vrx" replaces as many flags as it holds.
void readInfoFlags(WindowState& app);
// Shows a message; showbox is its number (0: always shown, no box). Ticking the box clears the
// message's flag and writes all flags to "Info.vrx".
void Visainfo(WindowState& app, const std::string& text, const std::string& k1, int showbox);
// Asks a question with the buttons k1 (OK) and k2 (Cancel); true when OK closed the dialog.
bool Visafraga(WindowState& app, const std::string& text, const std::string& k1, const std::string& k2);

// The question dialog's client width for a text of the given width in the label's font.
int questionClientWidth(int textWidth);

}  // namespace vildo
