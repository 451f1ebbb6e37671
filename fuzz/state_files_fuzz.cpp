// The scenario and year-snapshot reader: any bytes are either refused or give a state the season can run.
#include "app/scenarios.h"
#include "fuzz_app.h"
#include "model/state_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vildo::test::TestApp& t = vildo::fuzz::app();
    const std::string file = vildo::fuzz::inputFile(data, size, "input.scn");
    vildo::fuzz::handle([&] { vildo::ReadSnapshot(*t, file, 0); });
    // Loading a scenario also runs the first season from it.
    t.prompts.fileAnswers.push_back(file);
    vildo::fuzz::handle([&] { vildo::Laddascenario1Click(*t); });
    return 0;
}
