// The carrying-capacity batch on every core: the areas of the walk side by side, each on its own copy of the
// state the walk starts from, with its own scheduler, prompts and data-service client.
#pragma once
#include <functional>
#include <memory>

namespace vildo {

struct Vildo;
class DataService;

struct CarryingCapacityRequest {
    int threads = 0;  // 0: every core; the file never depends on it
    // Makes a client of the data service for one worker thread; called from that thread.
    std::function<std::unique_ptr<DataService>()> service;
};

enum class CarryingCapacityOutcome {
    Done,         // every area has its line ("Klar!")
    Unestimated,  // every area has its line, but some searches gave up: those lines have no estimate
    Stopped,      // an area did not finish: the lines before it are written
    NotStarted,   // the first area could not be loaded
    Ended,        // an error ended the program
};

// Runs the walk over the areas of app's menu from app as it stands (the batch box ticked, the output file
// and the message flags set) and writes GlobalCC.csv with the bytes, and tells app's prompts what, the
// serial walk through the timers would. Areas after one that does not finish are not reported. The
// state itself is left as it was, except that it is ended when an area ended the program.
CarryingCapacityOutcome runCarryingCapacityBatch(Vildo& app, const CarryingCapacityRequest& request);

}  // namespace vildo
