#include "doubles/FakeProcTree.hpp"

#include <fstream>
#include <stdexcept>

namespace zentrel::testing {

FakeProcTree::FakeProcTree(std::filesystem::path root) : root_(std::move(root)) {
    std::filesystem::create_directories(root_);
}

void FakeProcTree::write(const std::filesystem::path& relative, const std::string& contents) const {
    const auto path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void FakeProcTree::writeMeminfo(const std::vector<std::pair<std::string, std::int64_t>>& kilobytes) {
    std::string text;
    for (const auto& [name, value] : kilobytes) text += name + ":       " + std::to_string(value) + " kB\n";
    write("meminfo", text);
}

void FakeProcTree::writeStat(const std::vector<std::uint64_t>& cpuTicks, int processors) {
    std::string text = "cpu ";
    for (auto ticks : cpuTicks) text += " " + std::to_string(ticks);
    text += "\n";
    for (int i = 0; i < processors; ++i) text += "cpu" + std::to_string(i) + " 1 0 1 10 0 0 0 0 0 0\n";
    text += "intr 12345 0 0\nctxt 987654\nbtime 1700000000\nprocesses 4242\n";
    write("stat", text);
}

void FakeProcTree::addProcess(const Process& process) {
    const std::string folder = std::to_string(process.pid);
    // Fields 3 to 24 of the format: state, ppid, pgrp, session, tty, tpgid,
    // flags, four fault counts, utime, stime, cutime, cstime, priority, nice,
    // threads, itrealvalue, starttime, vsize, rss.
    write(folder + "/stat", std::to_string(process.pid) + " (" + process.name + ") " + process.state + " " +
                                std::to_string(process.parentPid) + " " + std::to_string(process.pid) +
                                " 1 0 -1 4194304 100 0 0 0 " + std::to_string(process.userTicks) + " " +
                                std::to_string(process.systemTicks) + " 0 0 20 0 1 0 " +
                                std::to_string(process.startTicks) + " 123456789 " +
                                std::to_string(process.residentPages) + " 18446744073709551615 0 0 0\n");
    write(folder + "/statm", "30141 " + std::to_string(process.residentPages) + " 800 10 0 2000 0\n");
    write(folder + "/comm", process.name + "\n");
    write(folder + "/cmdline", process.commandLine);
    write(folder + "/environ", process.environment);
}

void FakeProcTree::removeProcess(std::int32_t pid) { std::filesystem::remove_all(root_ / std::to_string(pid)); }

std::string FakeProcTree::commandLineOf(const std::vector<std::string>& arguments) {
    std::string line;
    for (const auto& argument : arguments) {
        line += argument;
        line += '\0';
    }
    return line;
}

}  // namespace zentrel::testing
