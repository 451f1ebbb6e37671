// The stand-in data service's handling of a request, without the socket: "script?query" in, an answer out.
#include <httplib.h>

#include <string>

#include "fuzz_app.h"
#include "service/answers.h"
#include "service/server.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The seed data set, so that requests meet real areas.
    static std::unique_ptr<vildo::service::ServiceDatabase> db = vildo::service::openServiceDatabase(
        vildo::fuzz::app().dir.path / "service.db", vildo::service::defaultSeedDir());
    const std::string request(reinterpret_cast<const char*>(data), size);
    const size_t q = request.find('?');
    vildo::service::Params params;
    httplib::detail::parse_query_text(q == std::string::npos ? std::string() : request.substr(q + 1), params);
    vildo::service::answer(*db, request.substr(0, q), params);
    return 0;
}
