// What the service answers for each script, independent of HTTP.
#pragma once
#include <map>
#include <string>

#include "database.h"

namespace vildo::service {

struct Answer {
    int status = 200;
    std::string body;
};

using Params = std::multimap<std::string, std::string>;

// The data source every request names (key d, or g for an upload).
constexpr const char* kDataSource = "vildodata";

// Answers "vildoAFOsql.php", "vildosql.php", "vildosql_R2.php" and "vr2sql.php"; a malformed request gets
// status 400 and a short text, an unknown area 404.
Answer answer(ServiceDatabase& db, const std::string& script, const Params& params);

}  // namespace vildo::service
