// Shared pieces of the command line: the session that owns the state, option parsing, output.
#pragma once
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/vildo.h"
#include "model/controls.h"

namespace vildo::cli {

class ServiceConnection;

// Prompts for a terminal: messages go to standard error; questions get the cautious answer; the file
// dialogs take the files the command line named, in order.
class TerminalPrompts : public Prompts {
public:
    std::deque<std::string> fileAnswers;

    void message(const std::string& text) override;
    void note(const std::string& text) override { message(text); }
    bool warningOkAbort(const std::string& text) override;
    bool warningAbortIgnore(const std::string& text) override;
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return nextFile(); }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return nextFile(); }
    std::optional<std::string> inputText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool info(const std::string& text, const std::string& okCaption, bool showBox) override;
    bool question(const std::string& text, const std::string& okCaption, const std::string& cancelCaption) override;

private:
    std::optional<std::string> nextFile();
};

struct ControlSetting {
    C control;
    int position;
};

// A usage error: printed with the command's usage, exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Parses "CONTROL=POSITION", checking the name and the range.
ControlSetting parseSetting(const std::string& text);
// Every control --set accepts: name, range and what a position means, one a line.
std::string listControls();

// --folder: the folder every command keeps its files in, instead of the program's folders.
void useFolder(const std::filesystem::path& folder);
// The local data service's database in the program's folders (after the start-up has found them).
std::filesystem::path programDatabase(const Vildo& app);

// The state as the program starts it, with prompts that print to the terminal.
struct Session {
    Session();
    TerminalPrompts prompts;
    std::unique_ptr<Vildo> app;

    // Runs the start-up, then each setting as a user's move would.
    void start(const std::vector<ControlSetting>& settings);
    // Runs the scheduler until the equilibrium run is idle; false when the program was ended.
    bool settle();
};

// Reads the value of an option that takes one ("--years 5"); throws UsageError when missing.
std::string optionValue(const std::vector<std::string>& args, size_t& i);
// The value of --seed: an unsigned 32-bit integer.
uint32_t seedOption(const std::vector<std::string>& args, size_t& i);

// Seeds the random generator with S at the initialisation, then S + k - 1 at the k-th forward press.
void seedPresses(Vildo& app, uint32_t seed);

// Loads the area and switches its history on, so that the first press replays every historic year from the
// first start year. As in the window, the start-year change first estimates the stock (the search and the
// full calibration, to the verdict); without the estimate the history is replayed from the defaults. With a
// seed the estimate draws from a stream of its own, leaving the presses theirs.
bool loadHistory(Session& s, int countyItem, int areaItem, bool estimate, std::optional<uint32_t> seed);

// Where the season commands start: the presses' seed, the control settings, and an area with its history.
struct SeasonStart {
    std::optional<uint32_t> seed;
    std::vector<ControlSetting> settings;
    std::optional<int> countyItem, areaItem;
    std::string service;
    std::filesystem::path db;  // the local service's database; empty: a temporary one
    bool estimate = true;
    int intervalMembers = 0;  // the estimate's interval: only a forecast starts from its members
};

// Starts the session as the season commands do: the presses' seeds, a connection to the service when an area
// is asked for, the start-up with the settings, the area's estimate and history, and the settled equilibrium.
// False when any of it failed; its message has been shown.
bool startSeasons(Session& s, const SeasonStart& start, std::unique_ptr<ServiceConnection>& service);

}  // namespace vildo::cli
