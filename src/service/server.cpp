#include "server.h"

#include <httplib.h>

#include <chrono>

#include "answers.h"

namespace vildo::service {

DataServiceServer::DataServiceServer(ServiceDatabase& db) : db_(db), server_(std::make_unique<httplib::Server>()) {
    server_->Get(R"(/produktion/([A-Za-z0-9_]+\.php))", [this](const httplib::Request& req, httplib::Response& res) {
        Answer a;
        try {
            std::lock_guard<std::mutex> lock(dbMutex_);
            a = answer(db_, req.matches[1], req.params);
        } catch (const std::exception& e) {
            a = {500, std::string("Fel i datatjänsten: ") + e.what()};
        }
        res.status = a.status;
        res.set_content(a.body, "text/plain; charset=utf-8");
    });
    server_->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) res.set_content("Okänd adress", "text/plain; charset=utf-8");
    });
}

DataServiceServer::~DataServiceServer() = default;

int DataServiceServer::bind(const std::string& host, int port) {
    int bound = port == 0 ? server_->bind_to_any_port(host) : (server_->bind_to_port(host, port) ? port : -1);
    if (bound <= 0) throw DataError("Kan inte lyssna på " + host + ":" + std::to_string(port));
    return bound;
}

void DataServiceServer::listen() { server_->listen_after_bind(); }

void DataServiceServer::stop() {
    // A stop before the listening loop has begun would be lost and leave listen() running for ever.
    for (int i = 0; i < 5000 && !server_->is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    server_->stop();
}

std::unique_ptr<ServiceDatabase> openServiceDatabase(const std::filesystem::path& file,
                                                     const std::filesystem::path& seedDir) {
    auto db = std::make_unique<ServiceDatabase>(file);
    std::error_code ec;
    if (!db->seeded() && std::filesystem::is_directory(seedDir / "areas", ec)) db->importSeed(seedDir);
    return db;
}

std::filesystem::path defaultSeedDir() { return VILDO_SEED_DIR; }

BackgroundService::BackgroundService(const std::filesystem::path& dbFile, const std::filesystem::path& seedDir,
                                     const std::string& host, int port)
    : db_(openServiceDatabase(dbFile, seedDir)), server_(*db_), host_(host), port_(server_.bind(host, port)) {
    thread_ = std::thread([this] { server_.listen(); });
}

BackgroundService::~BackgroundService() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
}

std::string BackgroundService::url() const { return "http://" + host_ + ":" + std::to_string(port_) + "/"; }

}  // namespace vildo::service
