#include "qt/busy_service.h"

#include <QApplication>
#include <QCursor>

namespace vildo::qt {

namespace {

struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

std::string BusyDataService::get(const std::string& script, const std::string& query) {
    const BusyCursor busy;
    return inner_.get(script, query);
}

}  // namespace vildo::qt
