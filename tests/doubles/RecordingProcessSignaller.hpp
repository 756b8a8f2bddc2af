#pragma once
// A signaller that signals nothing: it records each (pid, signal) it is asked
// to send, answers as told, and can run a reaction (a process ending) when a
// signal arrives.

#include "services/processes/ProcessSignaller.hpp"

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace zentrel::testing {

class RecordingProcessSignaller final : public services::ProcessSignaller {
public:
    bool send(std::int32_t pid, int signal) override {
        sent.emplace_back(pid, signal);
        if (refusing.contains(pid)) return false;
        if (onSignal) onSignal(pid, signal);
        return true;
    }

    std::vector<std::pair<std::int32_t, int>> sent;
    std::set<std::int32_t> refusing;  // pids whose signals are not delivered
    std::function<void(std::int32_t pid, int signal)> onSignal;
};

}  // namespace zentrel::testing
