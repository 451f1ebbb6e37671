// Info.vrx, the information dialog's show-again flags: any bytes give flags, never more than the dialog has.
#include <filesystem>

#include "fuzz_app.h"
#include "ui/info_dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vildo::Vildo& a = *vildo::fuzz::app();
    std::filesystem::create_directories(a.Paths.Appdata);
    const std::string file = (std::filesystem::path(a.Paths.Appdata) / "Info.vrx").string();
    std::filesystem::copy_file(vildo::fuzz::inputFile(data, size, "input.vrx"), file,
                               std::filesystem::copy_options::overwrite_existing);
    vildo::fuzz::handle([&] { vildo::readInfoFlags(a); });
    return 0;
}
