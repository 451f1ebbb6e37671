// The data service as the window uses it: the busy cursor shows while a request runs.
#pragma once
#include "area/data_service.h"

namespace vildo::qt {

class BusyDataService : public DataService {
public:
    explicit BusyDataService(DataService& inner) : inner_(inner) {}
    std::string get(const std::string& script, const std::string& query) override;
    std::string address() const override { return inner_.address(); }

private:
    DataService& inner_;
};

}  // namespace vildo::qt
