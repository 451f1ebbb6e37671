// The area file reader: any bytes are either refused or give a state the model can run.
#include "app/area_file_menu.h"
#include "area/area_file.h"
#include "fuzz_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vildo::Vildo& a = *vildo::fuzz::app();
    const std::string file = vildo::fuzz::inputFile(data, size, "input.omr");
    vildo::fuzz::handle([&] {
        if (vildo::AreaRead(a, file)) vildo::AreaRefresh(a);
    });
    return 0;
}
